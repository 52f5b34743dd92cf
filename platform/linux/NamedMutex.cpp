// A named mutex on Linux: an flock on a file named after the mutex and the X
// display, in $XDG_RUNTIME_DIR (private to the user, gone at log-out) or else
// in a private folder /tmp/coralux-UID. The kernel drops an flock when its
// last descriptor closes, which includes the death of the process by any
// signal. The descriptor is close-on-exec, so a program started from here
// (the help viewer) never inherits the lock.
#include "platform/NamedMutex.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/linux/RuntimeFolder.h"

namespace {

std::string GetLockFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && IsPrivateFolder(runtime))
        return runtime;
    const std::string folder = "/tmp/coralux-" + std::to_string(getuid());
    mkdir(folder.c_str(), 0700);
    return IsPrivateFolder(folder) ? folder : std::string();
}

// The text with every character that could leave the folder or confuse a shell replaced.
std::string MakeFileName(std::string text)
{
    for (char& c : text) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.';
        if (!plain)
            c = '_';
    }
    return text;
}

// The session's display (":0" for both ":0" and ":0.1": one session, two screens).
std::string GetSessionName()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !display[0])
        display = std::getenv("WAYLAND_DISPLAY");
    std::string session = (display && display[0]) ? display : "none";
    const size_t colon = session.rfind(':');
    const size_t dot = session.find('.', colon == std::string::npos ? 0 : colon);
    if (colon != std::string::npos && dot != std::string::npos)
        session.erase(dot);
    return session;
}

}  // namespace

HNamedMutex SysCreateNamedMutex(const char* name, bool* alreadyExisted)
{
    *alreadyExisted = false;
    const std::string folder = GetLockFolder();
    if (folder.empty())
        return 0;
    const std::string path = folder + "/" + MakeFileName(std::string(name) + "-" + GetSessionName()) + ".lock";
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return 0;
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        *alreadyExisted = errno == EWOULDBLOCK;
        close(fd);
        return 0;
    }
    // Descriptor 0 is a valid one but not a valid handle: shift by one.
    return static_cast<HNamedMutex>(fd) + 1;
}

void SysCloseNamedMutex(HNamedMutex mutex)
{
    if (mutex)
        close(static_cast<int>(mutex - 1));
}
