#include "app/HostOptions.h"

#include <charconv>
#include <cstdint>
#include <cstring>

#include "app/Settings.h"

namespace {

const uint64_t LARGEST_WINDOW_ID = UINT32_MAX;  // X window ids are 32-bit
const char MAX_FPS_OPTION[] = "--max-fps=";
const int32_t HIGHEST_MAX_FPS = 1000;  // frames a second

struct SSettingOption
{
    const char* name;  // as written after the two dashes
    int32_t SettingsRecord::*setting;
    int32_t lowest, highest;
    const char* help;
};

// The settings the setup dialog offers, under the names hosts pass them by.
// Fish counts may go past the dialog's 10, up to the renderer's own limit.
const SSettingOption SETTING_OPTIONS[] = {
    {"yellow-fish", &SettingsRecord::YellowFishCount, 0, 1000, "number of yellow fish (0-1000)"},
    {"blue-fish", &SettingsRecord::BlueFishCount, 0, 1000, "number of blue fish (0-1000)"},
    {"pearl-fish", &SettingsRecord::PearlFishCount, 0, 1000, "number of pearl fish (0-1000)"},
    {"tiny-fish", &SettingsRecord::TinyFishCount, 0, 1000, "number of tiny fish (0-1000)"},
    {"fade", &SettingsRecord::Fade, 0, 100, "brightness of the background picture, percent (0-100)"},
    {"ripples", &SettingsRecord::EnableRipples, 0, 1, "ripples on the water (0 or 1)"},
    {"sounds", &SettingsRecord::EnableSounds, 0, 1, "ambient sound and splashes (0 or 1)"},
    {"fps", &SettingsRecord::EnableFPS, 0, 1, "frame-rate counter (0 or 1)"},
};

bool IsAny(const char* argument, const char* a, const char* b)
{
    return std::strcmp(argument, a) == 0 || std::strcmp(argument, b) == 0;
}

// A whole decimal number in [lowest, highest]; false for anything else.
bool ParseSetting(const char* text, int32_t lowest, int32_t highest, int32_t* value)
{
    const char* end = text + std::strlen(text);
    const auto [last, error] = std::from_chars(text, end, *value);
    return text != end && error == std::errc() && last == end && *value >= lowest && *value <= highest;
}

std::string DescribeBadValue(const std::string& name, const char* value, int32_t lowest, int32_t highest)
{
    return "invalid value \"" + std::string(value) + "\" for --" + name + ": expected " + std::to_string(lowest) +
           " to " + std::to_string(highest);
}

// A double-dash word other than the fixed options: one of the settings,
// --name=value, or a mistake, which is refused. False for any other word: it
// meets the host-switch test.
bool ReadDoubleDashWord(const char* argument, SHostOptions* options)
{
    if (std::strncmp(argument, "--", 2) != 0)
        return false;
    const char* equals = std::strchr(argument, '=');
    const std::string name = equals ? std::string(argument + 2, equals) : std::string(argument + 2);
    for (const SSettingOption& option : SETTING_OPTIONS) {
        if (name != option.name)
            continue;
        int32_t value = 0;
        if (!equals)
            options->error = std::string(argument) + " needs a value: " + argument + "=N";
        else if (ParseSetting(equals + 1, option.lowest, option.highest, &value))
            options->overrides.push_back({&(g_Settings.*option.setting), value});
        else
            options->error = DescribeBadValue(name, equals + 1, option.lowest, option.highest);
        return true;
    }
    options->error = std::string("unrecognized option '") + argument + "'";
    return true;
}

// "--max-fps=N"; false when the argument is another.
bool ReadMaxFpsOption(const char* argument, SHostOptions* options)
{
    const size_t length = sizeof MAX_FPS_OPTION - 1;
    if (std::strncmp(argument, MAX_FPS_OPTION, length) != 0)
        return false;
    if (!ParseSetting(argument + length, 0, HIGHEST_MAX_FPS, &options->maxFps))
        options->error = DescribeBadValue("max-fps", argument + length, 0, HIGHEST_MAX_FPS);
    return true;
}

}  // namespace

const char DEFAULTS_OPTION[] = "--defaults";

HWindow ParseWindowId(const char* text)
{
    if (!text || !*text)
        return 0;
    const char* end = text + std::strlen(text);
    int base = 10;
    if (std::strncmp(text, "0x", 2) == 0 || std::strncmp(text, "0X", 2) == 0) {
        text += 2;
        base = 16;
    }
    uint64_t value = 0;
    const auto [last, error] = std::from_chars(text, end, value, base);
    if (text == end || error != std::errc() || last != end || value > LARGEST_WINDOW_ID)
        return 0;
    return static_cast<HWindow>(value);
}

bool ParseHostOptions(int argc, const char* const* argv, SHostOptions* options)
{
    *options = SHostOptions();
    for (int i = 0; i < argc; ++i) {
        const char* argument = argv[i] ? argv[i] : "";
        if (i == 0) {
            options->rest.push_back(argument);
        } else if (std::strcmp(argument, "--help") == 0) {
            options->help = true;
        } else if (std::strcmp(argument, "--version") == 0) {
            options->version = true;
        } else if (std::strcmp(argument, "--add-to-xscreensaver") == 0) {
            options->addToXScreenSaver = true;
        } else if (std::strcmp(argument, DEFAULTS_OPTION) == 0) {
            options->defaults = true;
        } else if (IsAny(argument, "--root", "-root")) {
            options->root = true;
        } else if (IsAny(argument, "--window-id", "-window-id")) {
            const char* id = i + 1 < argc ? argv[++i] : nullptr;
            options->windowId = ParseWindowId(id);
            if (options->windowId == 0)
                options->error = std::string("--window-id needs a window id (decimal or 0x hex), not \"") +
                                 (id ? id : "") + "\"";
        } else if (!ReadMaxFpsOption(argument, options) && !ReadDoubleDashWord(argument, options)) {
            options->rest.push_back(argument);
        }
        if (!options->error.empty())
            return false;
    }
    return true;
}

void ApplySettingOverrides(const SHostOptions& options)
{
    for (const SSettingOverride& change : options.overrides)
        *change.setting = change.value;
}

std::string GetHelpText(const char* program)
{
    std::string text = std::string("Usage: ") + program + " [/s | /c | /p WINDOW | /a WINDOW] [OPTION]...\n" +
                       "An OpenGL aquarium screen saver: fish, bubbles, ripples and light rays.\n"
                       "\n"
                       "Run modes, as a screen-saver host asks for them:\n"
                       "  /s                  the full-screen show\n"
                       "  /c                  the setup dialog (also with no mode at all)\n"
                       "  /p WINDOW           the preview picture inside that X window\n"
                       "  /a WINDOW           the password change (nothing to do on Linux)\n"
                       "\n"
                       "Screen-saver hosts (xscreensaver, MATE, Xfce):\n"
                       "  --root, -root       draw into $XSCREENSAVER_WINDOW, or else the root window\n"
                       "  --window-id ID, -window-id ID\n"
                       "                      draw into that X window (decimal, or hex after 0x);\n"
                       "                      a preview: silent\n"
                       "  --defaults          start from the built-in settings, not the stored ones\n"
                       "                      (xscreensaver's line carries it: its settings pane passes\n"
                       "                      every value that differs)\n"
                       "  --add-to-xscreensaver\n"
                       "                      add Coralux to xscreensaver's list in ~/.xscreensaver\n"
                       "                      and exit\n"
                       "\n"
                       "Settings for this run only (the stored settings stay as they are):\n";
    for (const SSettingOption& option : SETTING_OPTIONS) {
        std::string left = std::string("  --") + option.name + "=N";
        left.resize(22, ' ');
        text += left + option.help + "\n";
    }
    text += "\n"
            "Frame rate:\n"
            "  --max-fps=N         at most N frames a second (0: no limit); by default as\n"
            "                      many as the display shows\n"
            "\n"
            "  --help              display this help and exit\n"
            "  --version           output version information and exit\n";
    return text;
}

std::string GetVersionText()
{
    return std::string("coralux ") + CORALUX_VERSION + "\n";
}
