#include "platform/linux/QuitSignals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool IsReadable(int fd)
{
    pollfd watch = {fd, POLLIN, 0};
    return fd >= 0 && poll(&watch, 1, 0) == 1;
}

// In a process of its own: a signal wakes a poll on the descriptor until it
// is taken; then a loop that never takes one (stuck) is ended by the second
// SIGTERM. 77: the signals were used up in this process before.
int RunSignals()
{
    InstallQuitSignals();
    struct sigaction current = {};
    sigaction(SIGHUP, nullptr, &current);
    if (current.sa_handler == SIG_DFL)
        return 77;
    raise(SIGHUP);
    if (!IsReadable(GetQuitSignalFd()) || !TakeQuitSignal() || IsReadable(GetQuitSignalFd()))
        return 1;
    raise(SIGTERM);
    raise(SIGTERM);
    return 0;
}

}  // namespace

TEST(QuitSignals, WakeUntilTakenAndSecondSignalEndsAStuckProcess)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(RunSignals());
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "an earlier test in this process took the signals";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "status " << status;
}
