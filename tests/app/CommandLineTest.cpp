#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

ERunMode ModeOf(const char* argument)
{
    const char* argv[] = {"coralux", argument};
    return GetRunMode(2, argv);
}

HWindow HandleOf(const char* argument)
{
    const char* argv[] = {"coralux", "/p", argument};
    return GetWindowArgument(3, argv);
}

}  // namespace

// With nothing but the program name the host asks for the setup dialog.
TEST(CommandLine, NoArgumentOpensSetup)
{
    const char* argv[] = {"coralux"};
    EXPECT_EQ(GetRunMode(1, argv), RUN_CONFIG);
}

// Only the first letter after one mark counts, in either case.
TEST(CommandLine, SwitchLetterAfterOneMarkSelectsMode)
{
    for (const char* argument : {"/c", "/C:1234", "c", "-C", "/config", " c"})
        EXPECT_EQ(ModeOf(argument), RUN_CONFIG) << argument;
    for (const char* argument : {"/S", "-s", " s", "/sx", "s"})
        EXPECT_EQ(ModeOf(argument), RUN_SAVER) << argument;
    EXPECT_EQ(ModeOf("/p"), RUN_PREVIEW);
    EXPECT_EQ(ModeOf("-A"), RUN_PASSWORD);
}

// Unknown letters, a second mark or an empty switch end the process quietly.
TEST(CommandLine, UnknownSwitchRunsNothing)
{
    for (const char* argument : {"/x", "", "/", "--s", "/ s", "xs", "//c"})
        EXPECT_EQ(ModeOf(argument), RUN_NONE) << '"' << argument << '"';
}

// IsSwitch compares exactly one character, whatever follows it.
TEST(CommandLine, IsSwitchIgnoresTheRest)
{
    EXPECT_TRUE(IsSwitch("/s:5", 's'));
    EXPECT_TRUE(IsSwitch("S", 's'));
    EXPECT_TRUE(IsSwitch("s", 'S'));
    EXPECT_FALSE(IsSwitch("/c", 's'));
    EXPECT_FALSE(IsSwitch(nullptr, 's'));
}

// The handle is read as decimal up to the first non-digit.
TEST(CommandLine, HandleReadsLeadingDecimal)
{
    EXPECT_EQ(HandleOf("1234"), 1234u);
    EXPECT_EQ(HandleOf("  42abc"), 42u);
    EXPECT_EQ(HandleOf("+7"), 7u);
    EXPECT_EQ(HandleOf("4294967295"), 4294967295u);
}

// A handle that cannot name a window reads as no window at all.
TEST(CommandLine, HandleWithoutWindowReadsZero)
{
    EXPECT_EQ(HandleOf("abc"), 0u);
    EXPECT_EQ(HandleOf("-5"), 0u);
    EXPECT_EQ(HandleOf("4294967296"), 0u);
    EXPECT_EQ(HandleOf("99999999999999999999999"), 0u);
    const char* argv[] = {"coralux", "/p:1234"};
    EXPECT_EQ(GetWindowArgument(2, argv), 0u);
}
