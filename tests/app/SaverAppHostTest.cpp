// CSaverApp's host services: the single-instance mutex and the password switch.
#include "app/SaverApp.h"

#include "app/Trace.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempConfigHome.h"

#include <gtest/gtest.h>

#include <filesystem>

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
