#include "platform/linux/ModeWatchdog.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/linux/XSession.h"

namespace {

const int WATCH_FD = 3;
pid_t g_watchdog = -1;
int g_pipe = -1;  // the show's end; closing it wakes the watchdog

void RunWatchdog(int pipeFd, const std::string& displayName, void (*restore)(Display*))
{
    // A terminal's ^C or a hang-up reaches the whole process group; the
    // watchdog must outlive the show, and its pipe tells it when the show ends.
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        std::signal(signal, SIG_IGN);
    // Keep no copy of the show's X connection or files: they must close
    // when the show dies, not when the watchdog does.
    if (pipeFd != WATCH_FD) {
        dup2(pipeFd, WATCH_FD);
        close(pipeFd);
    }
    closefrom(WATCH_FD + 1);

    char word = 0;
    ssize_t got = 0;
    do
        got = read(WATCH_FD, &word, 1);
    while (got < 0 && errno == EINTR);
    if (got == 1)
        return;
    Display* display = XOpenDisplay(displayName.c_str());
    if (!display)
        return;
    restore(display);
    XCloseDisplay(display);
}

}  // namespace

bool StartModeWatchdog(void (*restore)(Display*))
{
    if (g_watchdog > 0)
        return true;
    Display* display = GetXDisplay();
    if (!display)
        return false;
    const std::string displayName = DisplayString(display);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return false;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[1]);
        RunWatchdog(fds[0], displayName, restore);
        _exit(0);
    }
    close(fds[0]);
    if (pid < 0) {
        close(fds[1]);
        return false;
    }
    g_watchdog = pid;
    g_pipe = fds[1];
    return true;
}

void StopModeWatchdog()
{
    if (g_watchdog <= 0)
        return;
    const char done = 1;
    [[maybe_unused]] const ssize_t written = write(g_pipe, &done, 1);
    close(g_pipe);
    waitpid(g_watchdog, nullptr, 0);
    g_watchdog = -1;
    g_pipe = -1;
}
