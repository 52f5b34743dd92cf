#include "platform/Shell.h"

#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

bool SysOpenDocument(const std::string& path)
{
    gchar* argv[] = {const_cast<gchar*>("xdg-open"), const_cast<gchar*>(path.c_str()), nullptr};
    // Without G_SPAWN_DO_NOT_REAP_CHILD GLib detaches the handler, so it
    // neither blocks us nor lingers as a zombie.
    return g_spawn_async(nullptr, argv, nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr, nullptr);
}

bool SysFileExists(const std::string& path)
{
    struct stat status = {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string SysGetProgramFolder()
{
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (length <= 0)
        return std::string();
    const std::string program(buffer, static_cast<size_t>(length));
    const size_t slash = program.rfind('/');
    return slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
}
