// The desktop's display mode comes back however the program that switched it
// ends: the switching program runs in a child process, which is then killed.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/Clock.h"
#include "platform/DisplayMode.h"
#include "tests/support/ExtraDisplayMode.h"
#include "tests/support/PrivateXServer.h"

namespace {

const int DESKTOP_WIDTH = 1024, DESKTOP_HEIGHT = 768;
const uint32_t RESTORE_LIMIT_MS = 5000;

// Starts a child that switches to 800 x 600 and then waits to be ended; its
// pid once the switch is made, or -1.
pid_t StartSwitchedChild()
{
    int ready[2];
    if (pipe(ready) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(ready[0]);
        const char word = SysSetDisplayMode(800, 600, 32) ? 1 : 0;
        if (write(ready[1], &word, 1) != 1)
            _exit(2);
        for (;;)
            pause();
    }
    close(ready[1]);
    char word = 0;
    const bool switched = pid > 0 && read(ready[0], &word, 1) == 1 && word == 1;
    close(ready[0]);
    return switched ? pid : -1;
}

}  // namespace

// SIGKILL, a crash and a failed assert give the program no chance to restore
// the mode itself; the desktop's mode is back soon after all the same.
TEST(ModeWatchdog, RestoresModeWhenProgramDies)
{
    CPrivateXServer server(DESKTOP_WIDTH, DESKTOP_HEIGHT);
    ASSERT_TRUE(server.IsReady());
    CExtraDisplayMode extra(800, 600);
    ASSERT_TRUE(extra.IsReady());
    for (int signal : {SIGKILL, SIGSEGV, SIGABRT}) {
        const pid_t child = StartSwitchedChild();
        ASSERT_GT(child, 0) << signal;
        int width = 0, height = 0;
        ASSERT_TRUE(extra.GetShownSize(&width, &height));
        ASSERT_EQ(width, 800) << signal;
        kill(child, signal);
        waitpid(child, nullptr, 0);
        const uint32_t start = SysGetTickCount();
        while (extra.GetShownSize(&width, &height) && width != DESKTOP_WIDTH &&
               SysGetTickCount() - start < RESTORE_LIMIT_MS)
            SysSleep(20);
        EXPECT_EQ(width, DESKTOP_WIDTH) << signal;
        EXPECT_EQ(height, DESKTOP_HEIGHT) << signal;
    }
}
