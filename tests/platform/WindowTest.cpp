// Windows of the Linux back end: classes, the create and destroy messages,
// and the screen, against a real X server.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Window.h"
#include "tests/support/PrivateXServer.h"

namespace {

std::vector<unsigned> g_seen;
intptr_t g_createAnswer = 0;

intptr_t RecordingProc(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    g_seen.push_back(message);
    if (message == MSG_CREATE)
        return g_createAnswer;
    return SysDefWindowProc(window, message, wParam, lParam);
}

// A class of its own per test, so tests never see each other's classes.
void RegisterRecordingClass(const char* name)
{
    g_seen.clear();
    g_createAnswer = 0;
    const SWindowClass windowClass = {name, 0, RecordingProc, BACKGROUND_NONE};
    ASSERT_TRUE(SysRegisterClass(windowClass));
}

HWindow MakeWindow(const char* className)
{
    return SysCreateWindow(className, "Test Window", STYLE_POPUP, 0, 0, 40, 30, 0);
}

}  // namespace

// MSG_CREATE arrives before the handle is returned, MSG_DESTROY before the window goes.
TEST(Window, CreateAndDestroyReachProcedure)
{
    RegisterRecordingClass("Window.CreateAndDestroy");
    const HWindow window = MakeWindow("Window.CreateAndDestroy");
    ASSERT_NE(window, 0u);
    ASSERT_EQ(g_seen, std::vector<unsigned>{MSG_CREATE});
    EXPECT_TRUE(SysIsWindow(window));
    int width = 0, height = 0;
    EXPECT_TRUE(SysGetClientSize(window, &width, &height));
    EXPECT_EQ(width, 40);
    EXPECT_EQ(height, 30);
    EXPECT_TRUE(SysDestroyWindow(window));
    EXPECT_EQ(g_seen.back(), MSG_DESTROY);
    EXPECT_FALSE(SysIsWindow(window));
    EXPECT_FALSE(SysDestroyWindow(window));
}

// A procedure that answers -1 to MSG_CREATE refuses the window.
TEST(Window, ProcedureCanRefuseCreation)
{
    RegisterRecordingClass("Window.Refuse");
    g_createAnswer = -1;
    EXPECT_EQ(MakeWindow("Window.Refuse"), 0u);
    EXPECT_EQ(g_seen, (std::vector<unsigned>{MSG_CREATE, MSG_DESTROY}));
}

// An unknown class, or a parent that no longer exists, gives no window.
TEST(Window, UnknownClassOrGoneParentGivesNoWindow)
{
    EXPECT_EQ(MakeWindow("Window.NoSuchClass"), 0u);
    RegisterRecordingClass("Window.Parent");
    const HWindow parent = MakeWindow("Window.Parent");
    ASSERT_NE(parent, 0u);
    SysDestroyWindow(parent);
    EXPECT_EQ(SysCreateWindow("Window.Parent", "Child", STYLE_CHILD, 0, 0, 4, 4, parent), 0u);
}

// A class name is taken once, and stays taken while a window of it lives.
TEST(Window, ClassLivesWhileItsWindowsDo)
{
    RegisterRecordingClass("Window.Class");
    const SWindowClass again = {"Window.Class", 0, nullptr, BACKGROUND_NONE};
    EXPECT_FALSE(SysRegisterClass(again));
    const HWindow window = MakeWindow("Window.Class");
    ASSERT_NE(window, 0u);
    EXPECT_FALSE(SysUnregisterClass("Window.Class"));
    SysDestroyWindow(window);
    EXPECT_TRUE(SysUnregisterClass("Window.Class"));
    EXPECT_FALSE(SysIsClassRegistered("Window.Class"));
    EXPECT_FALSE(SysUnregisterClass("Window.Class"));
}

// The screen size is the X server's, and an id no window has is no window.
TEST(Window, ScreenSizeAndForeignWindows)
{
    CPrivateXServer server(640, 480);
    ASSERT_TRUE(server.IsReady());
    int width = 0, height = 0;
    ASSERT_TRUE(SysGetScreenSize(&width, &height));
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    EXPECT_FALSE(SysIsWindow(0x7FFFFFF0));
    EXPECT_FALSE(SysIsWindow(0));
}

// The display count goes down and up one step at a time; shown from 0 up.
TEST(Window, CursorCountStepsByOne)
{
    const int start = SysShowCursor(false);
    EXPECT_EQ(SysShowCursor(false), start - 1);
    EXPECT_EQ(SysShowCursor(true), start);
    EXPECT_EQ(SysShowCursor(true), start + 1);
}
