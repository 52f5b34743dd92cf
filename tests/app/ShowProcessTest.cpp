// The real program in processes of its own, on an X server of the test's
// own: the show drawing into magenta windows the test makes and reads back,
// as xscreensaver runs it, and the full-screen show across two monitors.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/Clock.h"
#include "tests/support/ExtraDisplayMode.h"
#include "tests/support/PrivateXServer.h"
#include "tests/support/SplitMonitors.h"
#include "tests/support/TempConfigHome.h"

// Xlib's macros (None, Bool, Status) would clash with GoogleTest's names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

const uint32_t DRAW_LIMIT_MS = 20000;
const uint32_t END_LIMIT_MS = 1000;
const uint32_t RESTORE_LIMIT_MS = 5000;  // a killed show's mode comes back through its watchdog

class ShowProcessTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.IsReady());
        m_display = XOpenDisplay(nullptr);
        ASSERT_NE(m_display, nullptr);
        ASSERT_NE(std::getenv("CORALUX_BINARY_DIR"), nullptr);
    }

    void TearDown() override
    {
        for (pid_t pid : m_children)
            kill(pid, SIGKILL);
        if (m_display)
            XCloseDisplay(m_display);
    }

    // A mapped window filled with magenta, a colour the scene never has.
    Window MakeWindow(int x, int y, int width, int height)
    {
        const int screen = DefaultScreen(m_display);
        const Window window =
            XCreateSimpleWindow(m_display, RootWindow(m_display, screen), x, y, width, height, 0, 0, 0xFF00FF);
        XMapWindow(m_display, window);
        XSync(m_display, False);
        return window;
    }

    // Runs the program with these arguments and, added to the test's own, these
    // environment variables.
    pid_t Start(const std::vector<std::string>& arguments, const std::vector<std::string>& environment = {})
    {
        const std::string program = std::string(std::getenv("CORALUX_BINARY_DIR")) + "/coralux";
        const pid_t pid = fork();
        if (pid == 0) {
            for (const std::string& variable : environment)
                putenv(const_cast<char*>(variable.c_str()));
            std::vector<char*> argv = {const_cast<char*>(program.c_str())};
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        m_children.push_back(pid);
        return pid;
    }

    // The share of the rectangle's pixels that are not of that colour.
    double ShareNot(Window window, unsigned long colour, int x, int y, int width, int height)
    {
        XImage* image = XGetImage(m_display, window, x, y, width, height, AllPlanes, ZPixmap);
        if (!image)
            return 0;
        int other = 0;
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column)
                other += (XGetPixel(image, column, row) & 0xFFFFFF) != colour;
        XDestroyImage(image);
        return static_cast<double>(other) / (width * height);
    }

    // The share of the window's pixels that are no longer magenta.
    double DrawnShare(Window window)
    {
        XWindowAttributes attributes = {};
        XGetWindowAttributes(m_display, window, &attributes);
        return ShareNot(window, 0xFF00FF, 0, 0, attributes.width, attributes.height);
    }

    // The window's pixels, RGB, rows top down.
    std::vector<unsigned long> Pixels(Window window)
    {
        XWindowAttributes attributes = {};
        XGetWindowAttributes(m_display, window, &attributes);
        std::vector<unsigned long> pixels;
        XImage* image = XGetImage(m_display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
        if (!image)
            return pixels;
        for (int row = 0; row < attributes.height; ++row)
            for (int column = 0; column < attributes.width; ++column)
                pixels.push_back(XGetPixel(image, column, row) & 0xFFFFFF);
        XDestroyImage(image);
        return pixels;
    }

    // The share of the window's pixels that show the scene: neither magenta
    // (never drawn) nor black (cleared, outside the picture).
    double SceneShare(Window window)
    {
        const std::vector<unsigned long> pixels = Pixels(window);
        const auto scene = std::count_if(pixels.begin(), pixels.end(),
                                         [](unsigned long pixel) { return pixel != 0 && pixel != 0xFF00FF; });
        return pixels.empty() ? 0 : static_cast<double>(scene) / pixels.size();
    }

    // A silent show in a host window of ours.
    pid_t StartIn(Window host) { return Start({"--window-id", std::to_string(host), "--sounds=0"}); }

    bool WaitUntilGone(pid_t pid)
    {
        const uint32_t start = SysGetTickCount();
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (SysGetTickCount() - start > END_LIMIT_MS)
                return false;
            SysSleep(10);
        }
        std::erase(m_children, pid);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    bool WaitUntilDrawn(Window window)
    {
        const uint32_t start = SysGetTickCount();
        while (SysGetTickCount() - start < DRAW_LIMIT_MS) {
            if (DrawnShare(window) > 0.99)
                return true;
            SysSleep(50);
        }
        return false;
    }

    // Ends the process as a host does and says whether it went within a second, cleanly.
    // User and system CPU time the process has had, in clock ticks.
    static long CpuTicks(pid_t pid)
    {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        // The fields after the name, which ends with the last ')': state is
        // the first, user time the 12th, system time the 13th.
        std::istringstream fields(text.substr(text.rfind(')') + 2));
        std::string field;
        long user = 0, system = 0;
        for (int i = 1; i <= 13 && fields >> field; ++i) {
            if (i == 12)
                user = std::stol(field);
            else if (i == 13)
                system = std::stol(field);
        }
        return user + system;
    }

    bool EndsOnTerm(pid_t pid)
    {
        kill(pid, SIGTERM);
        return WaitUntilGone(pid);
    }

    std::string StorePath() const { return m_home.GetStoreFile(); }

    std::string ReadStore() const
    {
        std::ifstream store(StorePath());
        return std::string((std::istreambuf_iterator<char>(store)), std::istreambuf_iterator<char>());
    }

    void WriteStore(const std::string& values) const
    {
        std::filesystem::create_directories(std::filesystem::path(StorePath()).parent_path());
        std::ofstream(StorePath()) << "[Software\\Quillworth Software\\Coralux Screensaver]\n" << values;
    }

    CTempConfigHome m_home;
    CPrivateXServer m_server{1280, 480};
    Display* m_display = nullptr;
    std::vector<pid_t> m_children;
};

}  // namespace

// Two processes at once, each into its own window (one id in decimal, one in
// hex): each fills its window and follows it as it grows, a third window
// stays as it was, neither plays sound (a window named by --window-id is a
// settings window's preview), and each ends cleanly on the host's SIGTERM.
TEST_F(ShowProcessTest, TwoProcessesDrawIntoTheirOwnWindows)
{
    const Window left = MakeWindow(0, 0, 200, 150), right = MakeWindow(300, 0, 200, 150);
    const Window untouched = MakeWindow(0, 300, 100, 100);
    char hex[32];
    std::snprintf(hex, sizeof hex, "0x%lx", right);
    // Through SDL's disk driver each process would write its own file.
    const std::string sound = m_home.GetPath() + "/sound-";
    const pid_t first =
        Start({"--window-id", std::to_string(left)}, {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + sound + "first"});
    const pid_t second = Start({"-window-id", hex}, {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + sound + "second"});
    EXPECT_TRUE(WaitUntilDrawn(left));
    EXPECT_TRUE(WaitUntilDrawn(right));
    XResizeWindow(m_display, left, 280, 260);
    XSync(m_display, False);
    EXPECT_TRUE(WaitUntilDrawn(left));
    EXPECT_EQ(DrawnShare(untouched), 0.0);
    EXPECT_TRUE(EndsOnTerm(first));
    EXPECT_TRUE(EndsOnTerm(second));
    EXPECT_FALSE(std::filesystem::exists(sound + "first"));
    EXPECT_FALSE(std::filesystem::exists(sound + "second"));
}

// xscreensaver gives each monitor a window of its own and a show in each:
// exactly one of them plays the sound. A show in a window smaller than its
// monitor (MATE's preferences preview, run with the full-screen command
// line) plays none.
TEST_F(ShowProcessTest, OneFullScreenShowPlaysPreviewsNone)
{
    CSplitMonitors monitors;
    ASSERT_TRUE(monitors.IsReady());
    const int half = monitors.GetHalfWidth();
    const std::string sound = m_home.GetPath() + "/sound-";
    // The preview comes first: alone, nothing else would keep it quiet.
    const struct
    {
        int x, width, height;
        const char* name;
    } windows[] = {{half + 100, 200, 150, "preview"}, {0, half, 480, "left"}, {half, half, 480, "right"}};
    std::vector<pid_t> shows;
    for (const auto& window : windows) {
        const Window host = MakeWindow(window.x, 0, window.width, window.height);
        char hex[32];
        std::snprintf(hex, sizeof hex, "0x%lx", host);
        shows.push_back(Start({"--root"}, {std::string("XSCREENSAVER_WINDOW=") + hex, "SDL_AUDIODRIVER=disk",
                                           "SDL_DISKAUDIOFILE=" + sound + window.name}));
        // A show has opened its sound, or not, before its first frame.
        EXPECT_TRUE(WaitUntilDrawn(host)) << window.name;
    }
    for (pid_t show : shows)
        EXPECT_TRUE(EndsOnTerm(show));
    EXPECT_FALSE(std::filesystem::exists(sound + "preview"));
    EXPECT_NE(std::filesystem::exists(sound + "left"), std::filesystem::exists(sound + "right"));
}

// While its window is unmapped the show draws nothing and all but sleeps
// (drawing takes a whole core here), and the host's SIGTERM still ends it.
TEST_F(ShowProcessTest, HostedShowRestsWhileItsWindowIsUnmapped)
{
    const Window host = MakeWindow(0, 0, 200, 150);
    const pid_t show = StartIn(host);
    ASSERT_TRUE(WaitUntilDrawn(host));
    XUnmapWindow(m_display, host);
    XSync(m_display, False);
    SysSleep(500);
    const long before = CpuTicks(show);
    SysSleep(1000);
    EXPECT_LT(CpuTicks(show) - before, sysconf(_SC_CLK_TCK) / 10) << "more than a tenth of a core while unmapped";
    EXPECT_TRUE(EndsOnTerm(show));
}

// --root draws into the window xscreensaver names in its environment, and a
// hosted show stores nothing.
TEST_F(ShowProcessTest, RootDrawsIntoTheHostsWindow)
{
    const Window other = MakeWindow(0, 0, 100, 100), host = MakeWindow(200, 100, 300, 200);
    char hex[32];
    std::snprintf(hex, sizeof hex, "0x%lx", host);
    const pid_t show = Start({"--root", "--sounds=0"}, {std::string("XSCREENSAVER_WINDOW=") + hex});
    EXPECT_TRUE(WaitUntilDrawn(host));
    EXPECT_EQ(DrawnShare(other), 0.0);
    EXPECT_TRUE(EndsOnTerm(show));
    const std::string text = ReadStore();
    EXPECT_EQ(text.find("\"Fade\""), std::string::npos) << text;
}

// A single hosted show, in xscreensaver's window as large as the screen,
// plays its sound (of two, one plays: another test).
TEST_F(ShowProcessTest, LoneHostedShowPlaysItsSound)
{
    const Window host = MakeWindow(0, 0, 1280, 480);
    char hex[32];
    std::snprintf(hex, sizeof hex, "0x%lx", host);
    const std::string sound = m_home.GetPath() + "/sound.raw";
    const pid_t show = Start({"--root", "--sounds=1"}, {std::string("XSCREENSAVER_WINDOW=") + hex,
                                                        "SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + sound});
    ASSERT_TRUE(WaitUntilDrawn(host));
    SysSleep(500);
    EXPECT_TRUE(EndsOnTerm(show));
    std::ifstream file(sound, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(std::any_of(bytes.begin(), bytes.end(), [](char byte) { return byte != 0; }))
        << bytes.size() << " bytes of silence";
}

// A host window that changes only its height, then only its width, is
// filled by the picture again each time.
TEST_F(ShowProcessTest, HostedShowRefitsToEachDimensionAlone)
{
    const Window host = MakeWindow(0, 0, 200, 150);
    const pid_t show = StartIn(host);
    ASSERT_TRUE(WaitUntilDrawn(host));
    for (const auto& [width, height] : {std::pair(200, 300), std::pair(400, 300)}) {
        XResizeWindow(m_display, host, width, height);
        XSync(m_display, False);
        const uint32_t start = SysGetTickCount();
        while (SceneShare(host) < 0.95 && SysGetTickCount() - start < DRAW_LIMIT_MS)
            SysSleep(50);
        EXPECT_GT(SceneShare(host), 0.95) << width << "x" << height;
    }
    EXPECT_TRUE(EndsOnTerm(show));
}

// A show the X server's own saver blanked (xset s activate) draws again
// once the server unblanks (xset s reset).
TEST_F(ShowProcessTest, HostedShowDrawsAgainAfterTheServerUnblanks)
{
    const Window host = MakeWindow(0, 0, 200, 150);
    const pid_t show = StartIn(host);
    ASSERT_TRUE(WaitUntilDrawn(host));
    XForceScreenSaver(m_display, ScreenSaverActive);
    XSync(m_display, False);
    SysSleep(1500);
    XForceScreenSaver(m_display, ScreenSaverReset);
    XSync(m_display, False);
    bool moving = false;
    const uint32_t start = SysGetTickCount();
    while (!moving && SysGetTickCount() - start < 5000) {
        const std::vector<unsigned long> before = Pixels(host);
        SysSleep(200);
        moving = Pixels(host) != before;
    }
    EXPECT_TRUE(moving) << "the picture stays still after the unblank";
    EXPECT_TRUE(EndsOnTerm(show));
}

// A setting given on the command line holds for that run only: the full-screen
// show, which stores the settings after a normal run, leaves it out.
TEST_F(ShowProcessTest, SettingOptionIsNotStored)
{
    const pid_t show = Start({"/s", "--fade=20", "--sounds=0"});
    const Window root = DefaultRootWindow(m_display);
    const uint32_t start = SysGetTickCount();
    while (ShareNot(root, 0, 0, 0, 64, 64) < 0.9 && SysGetTickCount() - start < DRAW_LIMIT_MS)
        SysSleep(50);
    ASSERT_TRUE(EndsOnTerm(show));
    const std::string text = ReadStore();
    EXPECT_EQ(text.find("\"Fade\"=dword:00000014"), std::string::npos) << text;
}

// With two monitors the show fills the primary one, left or right, and the
// other is black; a pointer move over the other monitor ends the show as
// over the show, and so does a click there.
TEST_F(ShowProcessTest, FullScreenShowFillsPrimaryMonitorOthersBlack)
{
    CSplitMonitors monitors;
    ASSERT_TRUE(monitors.IsReady());
    const int half = monitors.GetHalfWidth();
    const Window root = DefaultRootWindow(m_display);
    for (bool click : {false, true}) {
        // The second round has the primary on the right, at x = 640, y = 0.
        ASSERT_TRUE(monitors.SetRightPrimary(click));
        const int primary = click ? half : 0, other = half - primary;
        // The click comes where the pointer already is: over the other monitor.
        XTestFakeMotionEvent(m_display, 0, (click ? other : primary) + half / 2, 240, 0);
        XSync(m_display, False);
        const pid_t show = Start({"/s", "--sounds=0"});
        const uint32_t start = SysGetTickCount();
        while (ShareNot(root, 0, primary, 0, half, 480) < 0.9 && SysGetTickCount() - start < DRAW_LIMIT_MS)
            SysSleep(50);
        ASSERT_GT(ShareNot(root, 0, primary, 0, half, 480), 0.9) << "the primary monitor shows no scene";
        EXPECT_EQ(ShareNot(root, 0, other, 0, half, 480), 0.0) << "the other monitor is not black";
        if (click) {
            XTestFakeButtonEvent(m_display, 1, True, 0);
            XTestFakeButtonEvent(m_display, 1, False, 0);
        } else {
            XTestFakeRelativeMotionEvent(m_display, other - primary, 0, 0);
        }
        XSync(m_display, False);
        EXPECT_TRUE(WaitUntilGone(show)) << (click ? "click" : "move");
    }
}

// SIGTERM, SIGHUP or SIGKILL at any moment of a show that switched the
// display mode, start-up included: the process ends within seconds without
// a failure, the desktop's mode comes back and the stored settings survive.
// The moments are drawn from a seeded source; the seed is printed so a
// failing round can be replayed with CORALUX_FAULT_SEED.
TEST_F(ShowProcessTest, SignalAtAnyMomentGivesTheModeBack)
{
    CExtraDisplayMode extra(640, 480);
    ASSERT_TRUE(extra.IsReady());
    const std::string stored = "\"ScreenWidth\"=dword:00000280\n\"ScreenHeight\"=dword:000001e0\n"
                               "\"UseDesktopSettings\"=dword:00000000\n\"EnableSounds\"=dword:00000000\n"
                               "\"Fade\"=dword:00000025\n";
    WriteStore(stored);
    const char* given = std::getenv("CORALUX_FAULT_SEED");
    const unsigned seed = given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : std::random_device()();
    std::cout << "seed " << seed << std::endl;
    std::mt19937 random(seed);
    // The first round falls in the start-up (the mode switches about 0.1 to
    // 0.25 s in, the first frame comes later); the others up to well into the show.
    std::uniform_int_distribution<uint32_t> startUp(0, 300), anyMoment(0, 1500);
    for (int round = 0; round < 3; ++round) {
        for (int signal : {SIGTERM, SIGHUP, SIGKILL}) {
            const uint32_t delay = round == 0 ? startUp(random) : anyMoment(random);
            SCOPED_TRACE(testing::Message() << "signal " << signal << " after " << delay << " ms, seed " << seed);
            const pid_t show = Start({"/s"});
            SysSleep(delay);
            kill(show, signal);
            int status = 0;
            const uint32_t start = SysGetTickCount();
            while (waitpid(show, &status, WNOHANG) == 0 && SysGetTickCount() - start < RESTORE_LIMIT_MS)
                SysSleep(10);
            ASSERT_TRUE(WIFEXITED(status) || WIFSIGNALED(status)) << "the show still runs";
            std::erase(m_children, show);
            // Caught, the signal ends the show through its closing steps; before
            // that, or for SIGKILL, it ends the process itself. Never a failure.
            EXPECT_TRUE(WIFEXITED(status) ? WEXITSTATUS(status) == 0 : WTERMSIG(status) == signal)
                << "status " << status;
            int width = 0, height = 0;
            while (extra.GetShownSize(&width, &height) && width != 1280 &&
                   SysGetTickCount() - start < 2 * RESTORE_LIMIT_MS)
                SysSleep(20);
            EXPECT_EQ(width, 1280);
            EXPECT_EQ(height, 480);
            const std::string text = ReadStore();
            EXPECT_NE(text.find("\"Fade\"=dword:00000025\n"), std::string::npos) << text;
            EXPECT_NE(text.find("\"UseDesktopSettings\"=dword:00000000\n"), std::string::npos) << text;
        }
    }
}
