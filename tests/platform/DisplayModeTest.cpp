// The display's refresh rate as RandR tells it, on an X server of the test's own.
#include <gtest/gtest.h>

#include "platform/DisplayMode.h"
#include "tests/support/ExtraDisplayMode.h"
#include "tests/support/PrivateXServer.h"

// Xvfb's own mode has no timings: the rate is unknown (0), which leaves the
// show to assume one. A mode of 75 Hz reads as 75, worked out from its pixel
// clock and totals.
TEST(SysGetRefreshRate, ReadsTheModeOfTheWindowsMonitor)
{
    CPrivateXServer server(1024, 768);
    ASSERT_TRUE(server.IsReady());
    const SWindowClass windowClass = {"RefreshRate.Window", 0, nullptr, BACKGROUND_BLACK};
    ASSERT_TRUE(SysRegisterClass(windowClass));
    const HWindow window =
        SysCreateWindow("RefreshRate.Window", "Test Window", STYLE_POPUP | STYLE_VISIBLE, 0, 0, 200, 100, 0);
    ASSERT_NE(window, 0u);
    EXPECT_EQ(SysGetRefreshRate(window), 0.0);

    CExtraDisplayMode extra(800, 600, 75);
    ASSERT_TRUE(extra.IsReady());
    ASSERT_TRUE(SysSetDisplayMode(800, 600, 32));
    EXPECT_NEAR(SysGetRefreshRate(window), 75.0, 0.01);
    SysRestoreDisplayMode();
    SysDestroyWindow(window);
    SysUnregisterClass("RefreshRate.Window");
}
