// The saver window's procedure fed hand-made messages, and the real window.
#include <gtest/gtest.h>

#include "app/Trace.h"
#include "fish/SmartPtr.h"
#include "render/SaverWnd.h"
#include "tests/support/PrivateXServer.h"

namespace {

const HWindow FAKE_WINDOW = 0x5A5A;

// Takes every waiting message; true when one of them closes the fake window.
bool TakeClose()
{
    bool closed = false;
    SMessage message;
    while (SysPeekMessage(&message)) {
        if (message.window == FAKE_WINDOW && message.message == MSG_CLOSE)
            closed = true;
    }
    return closed;
}

bool EndsRun(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0)
{
    TakeClose();
    CSaverWnd::WndProc(FAKE_WINDOW, message, wParam, lParam);
    return TakeClose();
}

// The pointer's start position, so that it now lies (dx, dy) away from it.
bool PlaceStartAway(int dx, int dy)
{
    int x = 0, y = 0;
    if (!SysGetCursorPos(&x, &y))
        return false;
    g_nStartCursorX = x - dx;
    g_nStartCursorY = y - dy;
    return true;
}

int GetCursorCount()
{
    const int count = SysShowCursor(true) - 1;
    SysShowCursor(false);
    return count;
}

}  // namespace

// Any key and each of the three buttons end the run.
TEST(CSaverWnd, KeyOrButtonEndsRun)
{
    EXPECT_TRUE(EndsRun(MSG_KEYDOWN, 'A'));
    EXPECT_TRUE(EndsRun(MSG_LBUTTONDOWN));
    EXPECT_TRUE(EndsRun(MSG_RBUTTONDOWN));
    EXPECT_TRUE(EndsRun(MSG_MBUTTONDOWN));
}

// Keys held with Alt belong to the system, not to the saver.
TEST(CSaverWnd, SystemKeyDoesNotEndRun)
{
    EXPECT_FALSE(EndsRun(MSG_SYSKEYDOWN, 'A'));
}

// 30 pixels along both axes is jitter; 31 along either one ends the run.
TEST(CSaverWnd, PointerMoveBeyondThirtyPixelsEndsRun)
{
    ASSERT_TRUE(PlaceStartAway(30, -30));
    EXPECT_FALSE(EndsRun(MSG_MOUSEMOVE));
    ASSERT_TRUE(PlaceStartAway(-30, 30));
    EXPECT_FALSE(EndsRun(MSG_MOUSEMOVE));
    ASSERT_TRUE(PlaceStartAway(31, 0));
    EXPECT_TRUE(EndsRun(MSG_MOUSEMOVE));
    ASSERT_TRUE(PlaceStartAway(0, -31));
    EXPECT_TRUE(EndsRun(MSG_MOUSEMOVE));
}

// Losing activation or the whole program losing it ends the run; gaining does not.
TEST(CSaverWnd, DeactivationEndsRun)
{
    EXPECT_TRUE(EndsRun(MSG_ACTIVATE, 0));
    EXPECT_TRUE(EndsRun(MSG_ACTIVATE, 0x10000));  // inactive, minimised flag in the high word
    EXPECT_FALSE(EndsRun(MSG_ACTIVATE, 1));
    EXPECT_TRUE(EndsRun(MSG_ACTIVATEAPP, 0));
    EXPECT_FALSE(EndsRun(MSG_ACTIVATEAPP, 1));
}

// A suspend request or a suspend ends the run; other power news does not.
TEST(CSaverWnd, SuspendEndsRun)
{
    EXPECT_TRUE(EndsRun(MSG_POWERBROADCAST, PBT_QUERYSUSPEND));
    EXPECT_TRUE(EndsRun(MSG_POWERBROADCAST, PBT_SUSPEND));
    EXPECT_FALSE(EndsRun(MSG_POWERBROADCAST, 7));
}

// Starting another saver and the system close are refused without default handling.
TEST(CSaverWnd, RefusesScreenSaveAndCloseCommands)
{
    TakeClose();
    EXPECT_EQ(CSaverWnd::WndProc(FAKE_WINDOW, MSG_SYSCOMMAND, SC_SCREENSAVE_COMMAND, 0), 0);
    EXPECT_EQ(CSaverWnd::WndProc(FAKE_WINDOW, MSG_SYSCOMMAND, SC_CLOSE_COMMAND, 0), 0);
    EXPECT_FALSE(TakeClose());
}

// Close and destroy each stop the loop and each show the pointer once more.
TEST(CSaverWnd, CloseAndDestroyStopLoopAndShowCursor)
{
    const int before = GetCursorCount();
    g_bRunning = 1;
    CSaverWnd::WndProc(FAKE_WINDOW, MSG_CREATE, 0, 0);
    EXPECT_EQ(GetCursorCount(), before - 1);
    EXPECT_EQ(CSaverWnd::WndProc(FAKE_WINDOW, MSG_CLOSE, 0, 0), 0);
    EXPECT_EQ(g_bRunning, 0);
    EXPECT_EQ(GetCursorCount(), before);
    g_bRunning = 1;
    EXPECT_EQ(CSaverWnd::WndProc(FAKE_WINDOW, MSG_DESTROY, 0, 0), 0);
    EXPECT_EQ(g_bRunning, 0);
    EXPECT_EQ(GetCursorCount(), before + 1);
    SysShowCursor(false);
    g_bRunning = 1;
}

// An inactive frame is refused its default painting.
TEST(CSaverWnd, InactiveFrameSkipsDefault)
{
    EXPECT_EQ(CSaverWnd::WndProc(FAKE_WINDOW, MSG_NCACTIVATE, 0, 0), 0);
}

// The real window covers the screen, hides the pointer for its life and
// leaves it visible when it goes; a second saver window can follow the first.
// A screen of its own, so the topmost window hides nothing of other tests.
TEST(CSaverWnd, CoversScreenAndRestoresPointer)
{
    CPrivateXServer server(320, 240);
    ASSERT_TRUE(server.IsReady());
    int screenWidth = 0, screenHeight = 0;
    ASSERT_TRUE(SysGetScreenSize(&screenWidth, &screenHeight));
    const int before = GetCursorCount();
    for (int run = 0; run < 2; ++run) {
        CSmartPtr<CSaverWnd> window = new CSmartPtrWrap<CSaverWnd>();
        ASSERT_TRUE(window->Create()) << "run " << run;
        const HWindow handle = window->GetHWND();
        int width = 0, height = 0;
        ASSERT_TRUE(SysGetClientSize(handle, &width, &height));
        EXPECT_EQ(width, screenWidth);
        EXPECT_EQ(height, screenHeight);
        EXPECT_LT(GetCursorCount(), 0);
        window.Reset();
        EXPECT_FALSE(SysIsWindow(handle));
        EXPECT_GE(GetCursorCount(), before);
    }
    g_bRunning = 1;
}
