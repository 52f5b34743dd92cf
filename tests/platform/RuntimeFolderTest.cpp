// The runtime folder a trimmed environment lacks, found where the login
// manager makes it: a users' folder of the test's own stands in for /run/user.
#include "platform/linux/RuntimeFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class RuntimeFolderTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* given = std::getenv("XDG_RUNTIME_DIR"))
            m_previous = given, m_hadPrevious = true;
        unsetenv("XDG_RUNTIME_DIR");
        m_users = std::filesystem::temp_directory_path() / ("coralux-users-" + std::to_string(getpid()));
        m_own = m_users / std::to_string(getuid());
        std::filesystem::create_directories(m_own);
        chmod(m_own.c_str(), 0700);
    }

    void TearDown() override
    {
        std::filesystem::remove_all(m_users);
        if (m_hadPrevious)
            setenv("XDG_RUNTIME_DIR", m_previous.c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
    }

    // What XDG_RUNTIME_DIR holds after the restore; "" when still unset.
    std::string Restored()
    {
        RestoreRuntimeFolder(m_users.string());
        const char* value = std::getenv("XDG_RUNTIME_DIR");
        return value ? value : "";
    }

    std::filesystem::path m_users, m_own;
    std::string m_previous;
    bool m_hadPrevious = false;
};

}  // namespace

// Unset or empty: the user's own private folder there is taken.
TEST_F(RuntimeFolderTest, UnsetOrEmptyTakesTheUsersPrivateFolder)
{
    EXPECT_EQ(Restored(), m_own.string());
    setenv("XDG_RUNTIME_DIR", "", 1);
    EXPECT_EQ(Restored(), m_own.string());
}

// A value the environment gives stays, whatever it is.
TEST_F(RuntimeFolderTest, GivenValueStays)
{
    setenv("XDG_RUNTIME_DIR", "/somewhere/else", 1);
    EXPECT_EQ(Restored(), "/somewhere/else");
}

// Only a folder that is the user's and private will do: not one that is
// missing, open to others, a link, or another user's.
TEST_F(RuntimeFolderTest, OnlyAPrivateFolderOfTheUsersOwn)
{
    chmod(m_own.c_str(), 0777);
    EXPECT_EQ(Restored(), "");
    std::filesystem::remove(m_own);
    EXPECT_EQ(Restored(), "") << "missing";
    const std::filesystem::path real = m_users / "real";
    std::filesystem::create_directories(real);
    chmod(real.c_str(), 0700);
    std::filesystem::create_directory_symlink(real, m_own);
    EXPECT_EQ(Restored(), "") << "a link";
    if (getuid() == 0) {
        std::filesystem::remove(m_own);
        std::filesystem::create_directories(m_own);
        chmod(m_own.c_str(), 0700);
        ASSERT_EQ(chown(m_own.c_str(), 65534, 65534), 0);
        EXPECT_EQ(Restored(), "") << "another user's";
    }
}
