#include <gtest/gtest.h>

#include <vector>

#include "app/CommandLine.h"
#include "app/HostOptions.h"
#include "app/Settings.h"

namespace {

SHostOptions Parse(std::vector<const char*> arguments, bool* ok = nullptr)
{
    arguments.insert(arguments.begin(), "coralux");
    SHostOptions options;
    const bool parsed = ParseHostOptions(static_cast<int>(arguments.size()), arguments.data(), &options);
    if (ok)
        *ok = parsed;
    return options;
}

ERunMode RemainingMode(const SHostOptions& options)
{
    return GetRunMode(static_cast<int>(options.rest.size()), options.rest.data());
}

}  // namespace

// The host's options are taken out wherever they stand, so the switch that
// remains is read as the original host would read it; -root is no switch.
TEST(HostOptions, OptionsAnywhereLeaveTheHostSwitch)
{
    const SHostOptions before = Parse({"--fps=1", "/s"});
    EXPECT_EQ(RemainingMode(before), RUN_SAVER);
    const SHostOptions after = Parse({"/p", "--fade=20", "77"});
    EXPECT_EQ(RemainingMode(after), RUN_PREVIEW);
    EXPECT_EQ(GetWindowArgument(static_cast<int>(after.rest.size()), after.rest.data()), 77u);
    const SHostOptions root = Parse({"-root"});
    EXPECT_TRUE(root.IsHosted());
    EXPECT_EQ(RemainingMode(root), RUN_CONFIG);
    // Single-dash look-alikes are not ours: they meet the switch test (s!).
    EXPECT_EQ(RemainingMode(Parse({"-sounds=0"})), RUN_SAVER);
}

// Settings options override the record only when applied, each in its range.
TEST(HostOptions, SettingsApplyInRangeAndRefuseOthers)
{
    SetDefaultSettings();
    bool ok = false;
    const SHostOptions options = Parse({"--tiny-fish=0", "--fade=100", "--ripples=0", "--yellow-fish=1000"}, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(g_Settings.TinyFishCount, 5);
    ApplySettingOverrides(options);
    EXPECT_EQ(g_Settings.TinyFishCount, 0);
    EXPECT_EQ(g_Settings.Fade, 100);
    EXPECT_EQ(g_Settings.EnableRipples, 0);
    EXPECT_EQ(g_Settings.YellowFishCount, 1000);
    for (const char* bad : {"--fade=101", "--fade=-1", "--fps=2", "--blue-fish=", "--blue-fish=3x",
                            "--pearl-fish=99999999999"}) {
        const SHostOptions refused = Parse({bad}, &ok);
        EXPECT_FALSE(ok) << bad;
        EXPECT_FALSE(refused.error.empty()) << bad;
    }
}

// Window ids come as hosts write them: decimal, or hex after 0x; nothing
// else, and nothing past 32 bits, names a window.
TEST(HostOptions, WindowIdsInDecimalOrHex)
{
    EXPECT_EQ(Parse({"--window-id", "0x2a00007"}).windowId, 0x2a00007u);
    EXPECT_EQ(Parse({"-window-id", "4194311"}).windowId, 4194311u);
    EXPECT_EQ(ParseWindowId("0X1F"), 0x1Fu);
    for (const char* bad : {"", "0x", "12ab", "-5", "4294967296", "0x100000000"})
        EXPECT_EQ(ParseWindowId(bad), 0u) << bad;
    bool ok = true;
    Parse({"--window-id"}, &ok);
    EXPECT_FALSE(ok);
}

// A double-dash word that is none of ours is a mistake, named in the
// message: no host passes one, so a typo never ends quietly. The original
// host's switches, an unknown single-letter one included, are not touched.
TEST(HostOptions, UnknownDoubleDashIsRefusedSwitchesAreNot)
{
    for (const char* bad : {"--yelow-fish=3", "--fade", "--", "--root=1", "--defaults=1"}) {
        bool ok = true;
        const SHostOptions refused = Parse({"/s", bad}, &ok);
        EXPECT_FALSE(ok) << bad;
        EXPECT_NE(refused.error.find(bad), std::string::npos) << refused.error;
    }
    const std::vector<std::pair<std::vector<const char*>, ERunMode>> switches = {
        {{"/s"}, RUN_SAVER},        {{"-s"}, RUN_SAVER},         {{"/c:1234"}, RUN_CONFIG},
        {{"/p", "5"}, RUN_PREVIEW}, {{"/a", "5"}, RUN_PASSWORD}, {{"-x"}, RUN_NONE}};
    for (const auto& [words, mode] : switches) {
        bool ok = false;
        const SHostOptions options = Parse(words, &ok);
        EXPECT_TRUE(ok) << words[0];
        EXPECT_EQ(RemainingMode(options), mode) << words[0];
    }
}

// xscreensaver's marker and the one-step listing are taken out like the
// window options: the host switch that remains still decides the mode.
TEST(HostOptions, MarkerAndListingAreTakenOut)
{
    const SHostOptions marked = Parse({"--root", "--defaults", "--yellow-fish=1"});
    EXPECT_TRUE(marked.defaults);
    EXPECT_EQ(marked.overrides.size(), 1u);
    EXPECT_EQ(marked.rest.size(), 1u);
    const SHostOptions listing = Parse({"--add-to-xscreensaver", "/s"});
    EXPECT_TRUE(listing.addToXScreenSaver);
    EXPECT_FALSE(listing.defaults);
    EXPECT_EQ(RemainingMode(listing), RUN_SAVER);
}
