// The application's run modes, in process. The show runs on an X server of
// the test's own, since it changes the screen mode.
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "app/SaverApp.h"
#include "app/Settings.h"
#include "app/Trace.h"
#include "assets/Pack.h"
#include "platform/Clock.h"
#include "tests/support/ExtraDisplayMode.h"
#include "tests/support/PrivateXServer.h"
#include "tests/support/ScratchPack.h"
#include "tests/support/TempConfigHome.h"

namespace {

const int DESKTOP_WIDTH = 1024;
const int DESKTOP_HEIGHT = 768;
const uint32_t WATCH_LIMIT_MS = 20000;

void AskForMode(int width, int height)
{
    SetDefaultSettings();
    g_Settings.UseDesktopSettings = 0;
    g_Settings.ScreenWidth = width;
    g_Settings.ScreenHeight = height;
    g_Settings.ScreenDepth = 16;
    ResetTrace();
    g_bRunning = 1;
    ASSERT_EQ(LoadResourcePack(PACK_RESOURCE_ID), 1);
}

}  // namespace

// A mode the display lacks fails the show with its message, and the screen
// keeps the desktop's mode.
TEST(CSaverApp, UnofferedModeFailsWithVideoModeMessage)
{
    CPrivateXServer server(DESKTOP_WIDTH, DESKTOP_HEIGHT);
    ASSERT_TRUE(server.IsReady());
    AskForMode(640, 480);
    const char* argv[] = {"coralux", "/s"};
    CSaverApp app(2, argv);
    EXPECT_THROW(app.DoSaver(), SSaverFailure);
    EXPECT_EQ(g_strTrace, "CSaverApp::DoSaver()");
    EXPECT_EQ(g_strError, "\"Could not set specified video mode\"");
    int width = 0, height = 0;
    ASSERT_TRUE(SysGetScreenSize(&width, &height));
    EXPECT_EQ(width, DESKTOP_WIDTH);
    EXPECT_EQ(height, DESKTOP_HEIGHT);
}

// An offered mode is shown during the run, and SIGTERM ends the run through
// its closing steps, which give the desktop its own mode back.
TEST(CSaverApp, OfferedModeSwitchesAndTermRestores)
{
    CTempConfigHome home;
    CPrivateXServer server(DESKTOP_WIDTH, DESKTOP_HEIGHT);
    ASSERT_TRUE(server.IsReady());
    CExtraDisplayMode extra(800, 600);
    ASSERT_TRUE(extra.IsReady());
    AskForMode(800, 600);

    std::atomic<bool> sawMode = false;
    std::thread watcher([&] {
        const uint32_t start = SysGetTickCount();
        while (!sawMode && SysGetTickCount() - start < WATCH_LIMIT_MS) {
            int width = 0, height = 0;
            sawMode = extra.GetShownSize(&width, &height) && width == 800 && height == 600;
            SysSleep(20);
        }
        kill(getpid(), SIGTERM);
    });
    const char* argv[] = {"coralux", "/s"};
    CSaverApp app(2, argv);
    EXPECT_NO_THROW(app.DoSaver());
    watcher.join();

    EXPECT_TRUE(sawMode);
    int width = 0, height = 0;
    ASSERT_TRUE(extra.GetShownSize(&width, &height));
    EXPECT_EQ(width, DESKTOP_WIDTH);
    EXPECT_EQ(height, DESKTOP_HEIGHT);
}

// A pack without the caustic picture ends the show in the renderer's set-up,
// with no message of its own: the box reads "Unknown Error".
TEST(CSaverApp, MissingCausticFailsInRendererSetUp)
{
    CPrivateXServer server(DESKTOP_WIDTH, DESKTOP_HEIGHT);
    ASSERT_TRUE(server.IsReady());
    CScratchPack emptyPack;
    SetDefaultSettings();
    ResetTrace();
    g_bRunning = 1;
    const char* argv[] = {"coralux", "/s"};
    CSaverApp app(2, argv);
    EXPECT_THROW(app.DoSaver(), SSaverFailure);
    EXPECT_EQ(FormatFailure(), "CSaverApp::DoSaver() -> CGLDrawer::Init()\n\n\"Unknown Error\"");
}

// A failure in the renderer's set-up after a mode switch gives the desktop
// its mode back before the failure reaches the box.
TEST(CSaverApp, RendererFailureAfterSwitchRestoresMode)
{
    CTempConfigHome home;
    CPrivateXServer server(DESKTOP_WIDTH, DESKTOP_HEIGHT);
    ASSERT_TRUE(server.IsReady());
    CExtraDisplayMode extra(800, 600);
    ASSERT_TRUE(extra.IsReady());
    AskForMode(800, 600);
    CScratchPack emptyPack;
    const char* argv[] = {"coralux", "/s"};
    CSaverApp app(2, argv);
    EXPECT_THROW(app.DoSaver(), SSaverFailure);
    EXPECT_EQ(g_strTrace, "CSaverApp::DoSaver() -> CGLDrawer::Init()");
    int width = 0, height = 0;
    ASSERT_TRUE(extra.GetShownSize(&width, &height));
    EXPECT_EQ(width, DESKTOP_WIDTH);
    EXPECT_EQ(height, DESKTOP_HEIGHT);
}

// An unknown switch runs nothing and ends without a failure.
TEST(CSaverApp, UnknownSwitchEndsQuietly)
{
    CTempConfigHome home;
    ResetTrace();
    const char* argv[] = {"coralux", "/x"};
    CSaverApp app(2, argv);
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(app.GetExitCode(), 0);
    EXPECT_TRUE(g_strTrace.empty());
}

// Under xscreensaver's marker its settings pane is the one authority: the
// stored values never reach the run, only the built-in ones and the options.
TEST(CSaverApp, DefaultsMarkerKeepsTheStoreOut)
{
    CTempConfigHome home;
    std::filesystem::create_directories(home.GetPath() + "/Quillworth Software");
    std::ofstream(home.GetPath() + "/Quillworth Software/Coralux Screensaver.reg")
        << "[Software\\Quillworth Software\\Coralux Screensaver]\n\"YellowFishCount\"=dword:2\n";
    const std::vector<std::pair<std::vector<const char*>, int32_t>> runs = {
        {{"coralux", "/x"}, 2},
        {{"coralux", "--defaults", "/x"}, 5},
        {{"coralux", "/x", "--defaults", "--yellow-fish=3"}, 3}};
    for (const auto& [argv, yellow] : runs) {
        CSaverApp app(static_cast<int>(argv.size()), argv.data());
        app.InitInstance();
        EXPECT_EQ(g_Settings.YellowFishCount, yellow) << argv[1];
    }
}

// A preview whose window does not exist ends at once instead of waiting.
TEST(CSaverApp, PreviewOfMissingWindowEndsAtOnce)
{
    ResetTrace();
    g_bRunning = 1;
    const char* argv[] = {"coralux", "/p", "12345"};
    CSaverApp app(3, argv);
    const uint32_t start = SysGetTickCount();
    app.DoPreview(0x7FFFFFF0);
    app.DoPreview(0);
    EXPECT_LT(SysGetTickCount() - start, 1000u);
}
