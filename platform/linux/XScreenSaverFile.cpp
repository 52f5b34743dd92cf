// ~/.xscreensaver, read and replaced as the store's file is: a new file
// beside it renamed over it, under the home folder's lock so that two of us
// take turns. xscreensaver's own settings program writes it without that
// lock, but it rewrites the whole file from what it read at its start anyway.
#include "platform/XScreenSaverFile.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

#include "platform/linux/FolderLock.h"
#include "platform/linux/StoreFile.h"

namespace {

const size_t LARGEST_FILE = 1 << 20;  // bytes; xscreensaver's own come to some 20 KB

// As xscreensaver finds it: $HOME, else the user's entry in the password file.
std::string GetHomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return home;
    const passwd* user = getpwuid(getuid());
    return user && user->pw_dir && user->pw_dir[0] == '/' ? user->pw_dir : std::string();
}

}  // namespace

std::string SysGetXScreenSaverFilePath()
{
    const std::string home = GetHomeFolder();
    return home.empty() ? home : home + "/.xscreensaver";
}

EXScreenSaverFileRead SysReadXScreenSaverFile(std::string* text)
{
    const std::string path = SysGetXScreenSaverFilePath();
    if (path.empty())
        return XSCREENSAVER_FILE_UNREADABLE;
    switch (ReadStoreFile(path, LARGEST_FILE, text)) {
    case STORE_FILE_READ:
        return XSCREENSAVER_FILE_READ;
    case STORE_FILE_MISSING:
        return XSCREENSAVER_FILE_MISSING;
    default:
        return XSCREENSAVER_FILE_UNREADABLE;
    }
}

bool SysReplaceXScreenSaverFile(const std::string& text)
{
    const std::string home = GetHomeFolder();
    const CFolderLock lock(home);
    return !home.empty() && lock.IsHeld() && ReplaceStoreFile(home + "/.xscreensaver", text);
}
