// CSaverApp's host services: the single-instance mutex and the password switch.
#include "app/SaverApp.h"

#include "app/Trace.h"
#include "platform/Clock.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempConfigHome.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

namespace {

// A private runtime folder and config home, and a display no server answers:
// a show that starts by mistake fails at once instead of opening a window.
class CSaverAppHost : public ::testing::Test
{
protected:
    CSaverAppHost() : m_runtime("XDG_RUNTIME_DIR", m_home.GetPath()), m_display("DISPLAY", ":97") { ResetTrace(); }

    CTempConfigHome m_home;
    CScopedEnv m_runtime;
    CScopedEnv m_display;
};

}  // namespace

// One holder per session; the mutex goes with the application object that held it.
TEST_F(CSaverAppHost, SecondInstanceIsRefusedUntilFirstEnds)
{
    auto first = std::make_unique<CSaverApp>(0, nullptr);
    EXPECT_TRUE(first->CreateInstanceMutex());
    EXPECT_FALSE(CSaverApp(0, nullptr).CreateInstanceMutex());
    first.reset();
    EXPECT_TRUE(CSaverApp(0, nullptr).CreateInstanceMutex());
}

// The host may start /s a moment before its preview has let the mutex go:
// the show waits for it and runs (here it reaches the display no server
// answers, so it fails there, past the mutex).
TEST_F(CSaverAppHost, ShowWaitsForEndingPreviewToLetGo)
{
    auto preview = std::make_unique<CSaverApp>(0, nullptr);
    ASSERT_TRUE(preview->CreateInstanceMutex());
    std::thread ending([&preview] {
        SysSleep(200);
        preview.reset();
    });
    const char* argv[] = {"coralux", "/s"};
    CSaverApp show(2, argv);
    show.InitInstance();
    ending.join();
    EXPECT_EQ(1, show.GetExitCode());
    EXPECT_NE(g_strTrace.find("CSaverApp::DoSaver"), std::string::npos) << g_strTrace;
}

// A holder that stays keeps the mutex through the whole wait, not less.
TEST_F(CSaverAppHost, HolderThatStaysOutlastsTheWait)
{
    CSaverApp holder(0, nullptr);
    ASSERT_TRUE(holder.CreateInstanceMutex());
    const uint32_t start = SysGetTickCount();
    EXPECT_FALSE(CSaverApp(0, nullptr).CreateInstanceMutex(300));
    EXPECT_GE(SysGetTickCount() - start, 300u);
}

// /s and /p while another copy runs end quietly: no show, no failure.
TEST_F(CSaverAppHost, SecondShowOrPreviewEndsQuietly)
{
    CSaverApp holder(0, nullptr);
    ASSERT_TRUE(holder.CreateInstanceMutex());
    for (const char* mode : {"/s", "/p"}) {
        const char* argv[] = {"coralux", mode, "12345"};
        CSaverApp second(3, argv);
        EXPECT_FALSE(second.InitInstance());
        EXPECT_EQ(0, second.GetExitCode()) << mode;
        EXPECT_EQ("", g_strTrace) << mode;
    }
}

// Without the host's password services the a switch does nothing and ends.
TEST_F(CSaverAppHost, PasswordChangeWithoutHostServiceEndsQuietly)
{
    const char* argv[] = {"coralux", "/a", "12345"};
    CSaverApp app(3, argv);
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(0, app.GetExitCode());
    EXPECT_EQ("", g_strTrace);
}
