#include "platform/NamedMutex.h"

#include "tests/support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A private runtime folder of the test's own, removed afterwards.
class NamedMutex : public ::testing::Test
{
protected:
    NamedMutex() : m_folder(MakeFolder()), m_runtime("XDG_RUNTIME_DIR", m_folder), m_display("DISPLAY", ":42") {}
    ~NamedMutex() override { std::filesystem::remove_all(m_folder); }

    static std::string MakeFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "coralux-run-XXXXXX").string();
        return mkdtemp(pattern.data());
    }

    std::string m_folder;
    CScopedEnv m_runtime;
    CScopedEnv m_display;
};

HNamedMutex Create(bool* existed)
{
    return SysCreateNamedMutex("CoraluxMutex", existed);
}

}  // namespace

// While one holder has it, a second is refused and told so; after release it is free.
TEST_F(NamedMutex, SecondHolderIsRefusedUntilRelease)
{
    bool existed = true;
    const HNamedMutex first = Create(&existed);
    ASSERT_NE(0u, first);
    EXPECT_FALSE(existed);
    EXPECT_EQ(0u, Create(&existed));
    EXPECT_TRUE(existed);
    SysCloseNamedMutex(first);
    const HNamedMutex again = Create(&existed);
    EXPECT_NE(0u, again);
    EXPECT_FALSE(existed);
    SysCloseNamedMutex(again);
}

// A holder killed with SIGKILL leaves nothing behind that blocks the next one.
TEST_F(NamedMutex, KilledHolderReleasesIt)
{
    int ready[2];
    ASSERT_EQ(0, pipe(ready));
    const pid_t child = fork();
    if (child == 0) {
        bool existed = false;
        const char answer = Create(&existed) ? 'y' : 'n';
        if (write(ready[1], &answer, 1) != 1)
            _exit(1);
        pause();
        _exit(0);
    }
    char answer = 0;
    ASSERT_EQ(1, read(ready[0], &answer, 1));
    ASSERT_EQ('y', answer);
    bool existed = false;
    EXPECT_EQ(0u, Create(&existed));
    EXPECT_TRUE(existed);

    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const HNamedMutex next = Create(&existed);
    EXPECT_NE(0u, next);
    EXPECT_FALSE(existed);
    SysCloseNamedMutex(next);
    close(ready[0]);
    close(ready[1]);
}

// Each X display is its own session; the screens of one display are one session.
TEST_F(NamedMutex, OneMutexPerDisplay)
{
    bool existed = false;
    const HNamedMutex first = Create(&existed);
    ASSERT_NE(0u, first);
    {
        CScopedEnv otherScreen("DISPLAY", ":42.1");
        EXPECT_EQ(0u, Create(&existed));
        EXPECT_TRUE(existed);
    }
    {
        CScopedEnv otherDisplay("DISPLAY", ":43");
        const HNamedMutex other = Create(&existed);
        EXPECT_NE(0u, other);
        SysCloseNamedMutex(other);
    }
    {
        // Dots in a host name are not the screen's dot: two hosts, two sessions.
        CScopedEnv remote("DISPLAY", "10.0.0.5:0.1");
        const HNamedMutex one = Create(&existed);
        EXPECT_NE(0u, one);
        CScopedEnv otherHost("DISPLAY", "10.0.0.6:0");
        const HNamedMutex another = Create(&existed);
        EXPECT_NE(0u, another);
        SysCloseNamedMutex(another);
        SysCloseNamedMutex(one);
    }
    SysCloseNamedMutex(first);
}

// A runtime folder that others may write into is not trusted with the lock file.
TEST_F(NamedMutex, SharedRuntimeFolderIsNotUsed)
{
    chmod(m_folder.c_str(), 0777);
    bool existed = false;
    const HNamedMutex mutex = Create(&existed);
    EXPECT_NE(0u, mutex);
    EXPECT_TRUE(std::filesystem::is_empty(m_folder));
    SysCloseNamedMutex(mutex);
}
