// Display modes through the host's display settings, on a screen whose only
// mode is its own size (Xvfb under Wine).
#include <gtest/gtest.h>

#include "platform/DisplayMode.h"
#include "platform/Window.h"

// The mode the screen already shows is offered, so switching to it succeeds
// and leaves the size as it was; a restore afterwards keeps it too.
TEST(Win32DisplayMode, CurrentModeSwitchSucceedsAndRestores)
{
    int width = 0, height = 0;
    ASSERT_TRUE(SysGetScreenSize(&width, &height));
    EXPECT_TRUE(SysSetDisplayMode(width, height, 32));
    SysRestoreDisplayMode();
    int after = 0, afterHeight = 0;
    ASSERT_TRUE(SysGetScreenSize(&after, &afterHeight));
    EXPECT_EQ(after, width);
    EXPECT_EQ(afterHeight, height);
}

// A size the screen does not offer is refused, not reported as done.
TEST(Win32DisplayMode, UnofferedSizeIsRefused)
{
    int width = 0, height = 0;
    ASSERT_TRUE(SysGetScreenSize(&width, &height));
    EXPECT_FALSE(SysSetDisplayMode(width + 16, height + 16, 32));
}
