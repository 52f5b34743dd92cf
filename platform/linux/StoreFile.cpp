#include "platform/linux/StoreFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string GetFolder(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

bool WriteAll(int fd, const std::string& text)
{
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = write(fd, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        written += static_cast<size_t>(count);
    }
    return true;
}

// The rename itself must reach the disk too, or a power cut can bring the old name back.
void SyncFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

// The file a symbolic link points at, or the path itself.
bool ResolveTarget(const std::string& path, std::string* target)
{
    struct stat status;
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
        *target = path;
        return true;
    }
    char resolved[PATH_MAX];
    if (!realpath(path.c_str(), resolved))
        return false;
    *target = resolved;
    return true;
}

}  // namespace

EStoreFileRead ReadStoreFile(const std::string& path, size_t maxBytes, std::string* text)
{
    // Non-blocking, so that a pipe put in the file's place cannot hang the open.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT ? STORE_FILE_MISSING : STORE_FILE_UNREADABLE;
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || static_cast<size_t>(status.st_size) > maxBytes) {
        close(fd);
        return STORE_FILE_UNREADABLE;
    }
    text->clear();
    char buffer[4096];
    for (;;) {
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 || text->size() + static_cast<size_t>(count) > maxBytes) {
            close(fd);
            return STORE_FILE_UNREADABLE;
        }
        if (count == 0)
            break;
        text->append(buffer, static_cast<size_t>(count));
    }
    close(fd);
    return STORE_FILE_READ;
}

bool ReplaceStoreFile(const std::string& path, const std::string& text)
{
    std::string target;
    if (!ResolveTarget(path, &target))
        return false;
    struct stat status;
    const bool exists = stat(target.c_str(), &status) == 0;
    // A file without write permission was made read-only on purpose (even root honours that here).
    if (exists && (!S_ISREG(status.st_mode) || (status.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0))
        return false;

    const std::string folder = GetFolder(target);
    const std::string temporary = folder + "/." + target.substr(target.rfind('/') + 1) + ".new";
    unlink(temporary.c_str());  // left by a save that was killed midway
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    if (exists)
        fchmod(fd, status.st_mode & 07777);
    bool written = WriteAll(fd, text) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}
