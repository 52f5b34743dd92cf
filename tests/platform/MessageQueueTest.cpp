// The message queue of the Linux back end: order, the quit message, and real
// X input turned into our messages.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <vector>

#include "platform/Clock.h"
#include "platform/Window.h"
#include "tests/support/PrivateXServer.h"

namespace {

const HWindow SOME_WINDOW = 0x1234;
const uint32_t INPUT_WAIT_MS = 3000;

std::vector<SMessage> TakeAll()
{
    std::vector<SMessage> taken;
    SMessage message;
    while (SysPeekMessage(&message))
        taken.push_back(message);
    return taken;
}

// Waits for a message of that kind to our window, dropping the rest.
bool WaitFor(HWindow window, unsigned kind, SMessage* found)
{
    const uint32_t start = SysGetTickCount();
    while (SysGetTickCount() - start < INPUT_WAIT_MS) {
        SMessage message;
        if (!SysPeekMessage(&message)) {
            SysWaitMessage(10);
            continue;
        }
        if (message.window == window && message.message == kind) {
            *found = message;
            return true;
        }
    }
    return false;
}

}  // namespace

// Posted messages come in order, and the quit only after all of them, once.
TEST(MessageQueue, QuitComesAfterWaitingMessages)
{
    TakeAll();
    SysPostMessage(SOME_WINDOW, MSG_CLOSE, 1, 2);
    SysPostQuit();
    SysPostMessage(SOME_WINDOW, MSG_KEYDOWN, 3, 4);
    const std::vector<SMessage> taken = TakeAll();
    ASSERT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken[0].message, MSG_CLOSE);
    EXPECT_EQ(taken[0].wParam, 1u);
    EXPECT_EQ(taken[0].lParam, 2);
    EXPECT_EQ(taken[1].message, MSG_KEYDOWN);
    EXPECT_EQ(taken[2].message, MSG_QUIT);
    EXPECT_EQ(taken[2].window, 0u);
}

// A host's SIGTERM, a closed terminal's SIGHUP and SIGQUIT each become the
// quit message instead of ending the process before it restores the screen.
TEST(MessageQueue, QuitSignalsBecomeQuit)
{
    TakeAll();
    for (int signal : {SIGTERM, SIGHUP, SIGQUIT}) {
        raise(signal);
        const std::vector<SMessage> taken = TakeAll();
        ASSERT_EQ(taken.size(), 1u) << signal;
        EXPECT_EQ(taken[0].message, MSG_QUIT) << signal;
    }
}

// Waiting returns at once while a message waits, and after the time otherwise.
TEST(MessageQueue, WaitEndsOnMessageOrTimeout)
{
    TakeAll();
    SysPostMessage(SOME_WINDOW, MSG_CLOSE, 0, 0);
    uint32_t start = SysGetTickCount();
    SysWaitMessage(2000);
    EXPECT_LT(SysGetTickCount() - start, 1000u);
    TakeAll();
    start = SysGetTickCount();
    SysWaitMessage(30);
    EXPECT_GE(SysGetTickCount() - start, 25u);
}

// A key and a click on the focused window arrive as our key and button messages.
TEST(MessageQueue, XInputBecomesOurMessages)
{
    CPrivateXServer server(320, 240);
    ASSERT_TRUE(server.IsReady());
    const SWindowClass windowClass = {"MessageQueue.Input", 0, nullptr, BACKGROUND_BLACK};
    ASSERT_TRUE(SysRegisterClass(windowClass));
    const HWindow window =
        SysCreateWindow("MessageQueue.Input", "Input", STYLE_POPUP | STYLE_VISIBLE, 0, 0, 320, 240, 0);
    ASSERT_NE(window, 0u);
    SysSetFocus(window);
    TakeAll();
    ASSERT_EQ(std::system("xdotool mousemove 100 50 key a click 3"), 0);
    SMessage message;
    ASSERT_TRUE(WaitFor(window, MSG_KEYDOWN, &message));
    EXPECT_EQ(message.wParam, static_cast<uintptr_t>('A'));
    ASSERT_TRUE(WaitFor(window, MSG_RBUTTONDOWN, &message));
    EXPECT_EQ(message.lParam & 0xFFFF, 100);
    EXPECT_EQ((message.lParam >> 16) & 0xFFFF, 50);
    int x = 0, y = 0;
    ASSERT_TRUE(SysGetCursorPos(&x, &y));
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 50);
    SysDestroyWindow(window);
}
