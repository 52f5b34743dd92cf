#include "platform/linux/RuntimeFolder.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Session.h"

bool IsPrivateFolder(const std::string& folder)
{
    struct stat status;
    return lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == getuid() &&
           (status.st_mode & 0022) == 0;
}

void RestoreRuntimeFolder(const std::string& usersFolder)
{
    // One that is set, even to something odd, was the user's choice.
    const char* given = std::getenv("XDG_RUNTIME_DIR");
    if (given && given[0])
        return;
    const std::string folder = usersFolder + "/" + std::to_string(getuid());
    if (IsPrivateFolder(folder))
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
}

void SysRestoreSessionEnvironment()
{
    RestoreRuntimeFolder();
}
