#include "platform/linux/FolderLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const int LOCK_WAIT_MS = 2000;  // far longer than any save of a small file takes
const int LOCK_RETRY_MS = 5;

}  // namespace

CFolderLock::CFolderLock(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    for (int waited = 0; waited <= LOCK_WAIT_MS; waited += LOCK_RETRY_MS) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_fd = fd;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
        usleep(LOCK_RETRY_MS * 1000);
    }
    close(fd);
}

CFolderLock::~CFolderLock()
{
    if (m_fd >= 0)
        close(m_fd);
}
