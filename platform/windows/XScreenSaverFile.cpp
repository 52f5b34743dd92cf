// xscreensaver runs on X11 only: a Windows user has no file of it.
#include "platform/XScreenSaverFile.h"

std::string SysGetXScreenSaverFilePath()
{
    return std::string();
}

EXScreenSaverFileRead SysReadXScreenSaverFile(std::string*)
{
    return XSCREENSAVER_FILE_UNREADABLE;
}

bool SysReplaceXScreenSaverFile(const std::string&)
{
    return false;
}
