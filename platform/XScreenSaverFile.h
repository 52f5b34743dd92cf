#pragma once
// The user's settings file of xscreensaver, the X11 screen-saver host
// (~/.xscreensaver): read whole, and replaced in one step, so that the
// daemon, which reads it again whenever it changes, never sees half of it.
// Systems without X11 have no such file.
#include <string>

enum EXScreenSaverFileRead
{
    XSCREENSAVER_FILE_READ,        // text holds the whole file
    XSCREENSAVER_FILE_MISSING,     // the user has none yet
    XSCREENSAVER_FILE_UNREADABLE,  // there is one, but it cannot be read
};

// Where the file is, for messages; empty when the user has no home folder.
std::string SysGetXScreenSaverFilePath();
EXScreenSaverFileRead SysReadXScreenSaverFile(std::string* text);
// Writes a new file beside the old one and renames it over it; false when
// the file could not be replaced (the old one is then untouched).
bool SysReplaceXScreenSaverFile(const std::string& text);
