// Windows of the Linux back end: classes, the create and destroy messages,
// and the screen, against a real X server.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Clock.h"
#include "platform/Window.h"
#include "tests/support/PrivateXServer.h"
#include "tests/support/SplitMonitors.h"

// Xlib's macros (None, Bool, Status) would clash with GoogleTest's names.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

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

// While our window shows, the X server's own saver still starts when its time
// comes, and with it the display's power saving: SDL holds both off unless
// told not to, and a monitor set to sleep would then never sleep.
TEST(Window, ServerSaverStartsWhileWindowShows)
{
    CPrivateXServer server(320, 240);
    ASSERT_TRUE(server.IsReady());
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    XSetScreenSaver(display, 1, 1, DontPreferBlanking, AllowExposures);
    XSync(display, False);
    RegisterRecordingClass("Window.ServerSaver");
    const HWindow window =
        SysCreateWindow("Window.ServerSaver", "Test Window", STYLE_POPUP | STYLE_VISIBLE, 0, 0, 320, 240, 0);
    ASSERT_NE(window, 0u);
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    const uint32_t start = SysGetTickCount();
    bool saverOn = false;
    while (!saverOn && SysGetTickCount() - start < 5000) {
        SMessage message;
        while (SysPeekMessage(&message))
            SysDispatchMessage(message);
        SysSleep(50);
        saverOn = XScreenSaverQueryInfo(display, DefaultRootWindow(display), info) && info->state == ScreenSaverOn;
    }
    EXPECT_TRUE(saverOn);
    XFree(info);
    SysDestroyWindow(window);
    XCloseDisplay(display);
}

namespace {

// Asks until the answer is the one wanted or two seconds have passed: the
// server's news and the throttled questions take a moment.
bool BecomesSeen(HWindow window, bool wanted)
{
    const uint32_t start = SysGetTickCount();
    while (SysIsWindowSeen(window) != wanted) {
        if (SysGetTickCount() - start > 2000)
            return false;
        SysSleep(50);
    }
    return true;
}

// Asks for half a second: true when the window was seen every time.
bool StaysSeen(HWindow window)
{
    for (int ask = 0; ask < 10; ++ask) {
        if (!SysIsWindowSeen(window))
            return false;
        SysSleep(50);
    }
    return true;
}

bool g_poweredDown = false;
bool ReadTestPower()
{
    return g_poweredDown;
}

}  // namespace

// A window is unseen while another covers it wholly (not while one covers a
// part of it), while the X server's own saver blanks the screen, while the
// display is powered down and while it is unmapped; seen again after each.
TEST(Window, UnseenWhenCoveredBlankedPoweredDownOrUnmapped)
{
    CPrivateXServer server(200, 200);
    ASSERT_TRUE(server.IsReady());
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    RegisterRecordingClass("Window.Seen");
    const HWindow window =
        SysCreateWindow("Window.Seen", "Test Window", STYLE_POPUP | STYLE_VISIBLE, 0, 0, 100, 100, 0);
    ASSERT_NE(window, 0u);
    EXPECT_TRUE(BecomesSeen(window, true));

    const Window cover = XCreateSimpleWindow(display, DefaultRootWindow(display), 50, 50, 100, 100, 0, 0, 0);
    XMapRaised(display, cover);
    XSync(display, False);
    EXPECT_TRUE(StaysSeen(window)) << "partly covered";
    XMoveResizeWindow(display, cover, 0, 0, 200, 200);
    XSync(display, False);
    EXPECT_TRUE(BecomesSeen(window, false)) << "covered";
    XUnmapWindow(display, cover);
    XSync(display, False);
    EXPECT_TRUE(BecomesSeen(window, true)) << "uncovered";

    XForceScreenSaver(display, ScreenSaverActive);
    XSync(display, False);
    EXPECT_TRUE(BecomesSeen(window, false)) << "blanked";
    XForceScreenSaver(display, ScreenSaverReset);
    XSync(display, False);
    EXPECT_TRUE(BecomesSeen(window, true)) << "unblanked";

    SysSetDisplayPowerProbe(ReadTestPower);
    g_poweredDown = true;
    EXPECT_TRUE(BecomesSeen(window, false)) << "powered down";
    g_poweredDown = false;
    EXPECT_TRUE(BecomesSeen(window, true)) << "powered up";
    SysSetDisplayPowerProbe(nullptr);

    XUnmapWindow(display, static_cast<Window>(window));
    XSync(display, False);
    EXPECT_TRUE(BecomesSeen(window, false)) << "unmapped";
    SysDestroyWindow(window);
    XCloseDisplay(display);
}

// A window covers its monitor only when it spans all of the monitor under its
// centre: one monitor of two, or the root window, does; a preview-sized
// window, one monitor's size shifted across both, or a window gone, does not.
TEST(Window, CoversMonitorOnlyWhenSpanningIt)
{
    CPrivateXServer server(1280, 480);
    ASSERT_TRUE(server.IsReady());
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    CSplitMonitors monitors;
    ASSERT_TRUE(monitors.IsReady());
    const auto make = [display](int x, int width, int height) {
        const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), x, 0, width, height, 0, 0, 0);
        XSync(display, False);
        return static_cast<HWindow>(window);
    };
    EXPECT_TRUE(SysCoversMonitor(make(640, 640, 480))) << "the right monitor";
    EXPECT_TRUE(SysCoversMonitor(SysGetRootWindow())) << "the root";
    EXPECT_FALSE(SysCoversMonitor(make(700, 320, 200))) << "a preview";
    EXPECT_FALSE(SysCoversMonitor(make(320, 640, 480))) << "across both";
    const HWindow gone = make(0, 640, 480);
    EXPECT_TRUE(SysCoversMonitor(gone)) << "the left monitor";
    XDestroyWindow(display, static_cast<Window>(gone));
    XSync(display, False);
    EXPECT_FALSE(SysCoversMonitor(gone)) << "gone";
    XCloseDisplay(display);
}
