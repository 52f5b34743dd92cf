#pragma once
// The options a Linux host adds to the command line: xscreensaver's window
// options and its settings marker, --help, --version, --add-to-xscreensaver,
// and settings for one run. Each is matched by its exact name anywhere on the
// line and taken out, so that what remains meets the host-switch test as the
// original host's line would (/s, /c, /p, /a). Settings options are
// double-dash only, --name=value, so that none can read as a switch; no host
// switch starts with two dashes, so any other double-dash word is a mistake.
// Parsing only: nothing here touches the settings or prints.
#include <string>
#include <vector>

#include "platform/Window.h"

struct SSettingOverride
{
    int32_t* setting;  // a field of g_Settings
    int32_t value;
};

// The marker xscreensaver's command line carries: its settings pane is then
// the one authority, so the run starts from the built-in settings, never the
// stored ones (the pane passes every value that differs from those).
extern const char DEFAULTS_OPTION[];

struct SHostOptions
{
    bool help = false;
    bool version = false;
    bool addToXScreenSaver = false;  // --add-to-xscreensaver: list Coralux for this user
    bool defaults = false;           // DEFAULTS_OPTION
    bool root = false;               // --root: $XSCREENSAVER_WINDOW, else the root window
    HWindow windowId = 0;            // --window-id: that window (wins over --root)
    int32_t maxFps = -1;             // --max-fps: frames a second at most, 0 for no limit; -1: the display's rate
    std::vector<SSettingOverride> overrides;
    std::vector<const char*> rest;  // the program name and every other argument, in order
    std::string error;              // set when the line cannot be used

    // True when the show draws into a host's window instead of its own.
    bool IsHosted() const { return root || windowId != 0; }
};

// Reads the line (argv[0] is the program). False, with error set, on an
// unknown double-dash option, a value out of range or a missing or bad window
// id.
bool ParseHostOptions(int argc, const char* const* argv, SHostOptions* options);

// A window id as hosts write it: decimal, or hexadecimal after 0x. 0 when the
// text is no such number or names no possible window.
HWindow ParseWindowId(const char* text);

// Copies the overrides into the settings record; the store is never told.
void ApplySettingOverrides(const SHostOptions& options);

// The texts --help and --version print.
std::string GetHelpText(const char* program);
std::string GetVersionText();
