#include "app/SaverApp.h"

#include "app/Settings.h"
#include "tests/support/TempConfigHome.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

const std::string KEY_LINE = "[HKEY_CURRENT_USER\\Software\\Quillworth Software\\Coralux Screensaver]\n";
const std::string HEADER = "Windows Registry Editor Version 5.00\n\n" + KEY_LINE;

std::string StoreFile(const CTempConfigHome& home)
{
    return home.GetStoreFile();
}

void WriteStore(const CTempConfigHome& home, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(StoreFile(home)).parent_path());
    std::ofstream(StoreFile(home), std::ios::binary) << text;
}

std::string ReadStore(const CTempConfigHome& home)
{
    std::ifstream file(StoreFile(home), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Defaults in the record, then the store over them, as the start of a run does.
void Load()
{
    g_Settings.Path = "unset";
    SetDefaultSettings();
    CSaverApp app(0, nullptr);
    app.LoadSettings();
}

}  // namespace

// No store at all: every default, Path the current folder, and an empty key made.
TEST(CSaverAppSettings, NoStoreGivesDefaultsAndCreatesEmptyKey)
{
    CTempConfigHome home;
    Load();
    EXPECT_EQ(640, g_Settings.ScreenWidth);
    EXPECT_EQ(480, g_Settings.ScreenHeight);
    EXPECT_EQ(16, g_Settings.ScreenDepth);
    EXPECT_EQ(1, g_Settings.UseDesktopSettings);
    EXPECT_EQ(1, g_Settings.EnableSounds);
    EXPECT_EQ(0, g_Settings.UseDesktopBitmap);
    EXPECT_EQ(512, g_Settings.BackgroundRes);
    EXPECT_EQ(1, g_Settings.EnableRipples);
    EXPECT_EQ(0, g_Settings.EnableFPS);
    EXPECT_EQ(100, g_Settings.Fade);
    EXPECT_EQ(5, g_Settings.YellowFishCount);
    EXPECT_EQ(5, g_Settings.PearlFishCount);
    EXPECT_EQ(5, g_Settings.BlueFishCount);
    EXPECT_EQ(5, g_Settings.TinyFishCount);
    EXPECT_EQ(".\\", g_Settings.Path);
    const std::string text = ReadStore(home);
    EXPECT_NE(std::string::npos, text.find(KEY_LINE));
    EXPECT_EQ(std::string::npos, text.find('"', text.find(KEY_LINE)));
}

// Stored values are used as they are: no type check, no range check.
TEST(CSaverAppSettings, LoadUsesValuesUnchecked)
{
    CTempConfigHome home;
    WriteStore(home, HEADER + "\"ScreenWidth\"=\"1024 pixels\"\n"  // a string: more than 4 bytes
                              "\"Fade\"=hex:32,00,00,00\n"         // binary, 4 bytes: 50
                              "\"YellowFishCount\"=dword:00000032\n"
                              "\"TinyFishCount\"=dword:fffffffd\n"
                              "\"BackgroundRes\"=dword:00000100\n"
                              "\"Path\"=\"/opt/coralux/\"\n");
    Load();
    EXPECT_EQ(640, g_Settings.ScreenWidth);
    EXPECT_EQ(50, g_Settings.Fade);
    EXPECT_EQ(50, g_Settings.YellowFishCount);
    EXPECT_EQ(-3, g_Settings.TinyFishCount);
    EXPECT_EQ(256, g_Settings.BackgroundRes);
    EXPECT_EQ(5, g_Settings.PearlFishCount);
    EXPECT_EQ("/opt/coralux/", g_Settings.Path);
}

// A damaged store gives what it can; a save then mends the damaged values and keeps the rest.
TEST(CSaverAppSettings, DamagedStoreGivesWhatItCanAndSaveKeepsTheRest)
{
    CTempConfigHome home;
    const std::string garbage = std::string("\x7f"
                                            "ELF"
                                            "\x01"
                                            " binary junk\n");
    WriteStore(home, HEADER + "\"ScreenHeight\"=dword:00000006\n" + garbage +
                         "\"EnableFPS\"=dword:00000001\n"
                         "\"Fade\"=dwo");
    Load();
    EXPECT_EQ(6, g_Settings.ScreenHeight);
    EXPECT_EQ(1, g_Settings.EnableFPS);
    EXPECT_EQ(100, g_Settings.Fade);

    CSaverApp(0, nullptr).SaveSettings();
    EXPECT_EQ(HEADER + "\"ScreenHeight\"=dword:00000006\n" + garbage +
                  "\"EnableFPS\"=dword:00000001\n"
                  "\"Fade\"=dword:00000064\n"
                  "\"ScreenWidth\"=dword:00000280\n"
                  "\"ScreenDepth\"=dword:00000010\n"
                  "\"UseDesktopSettings\"=dword:00000001\n"
                  "\"EnableSounds\"=dword:00000001\n"
                  "\"UseDesktopBitmap\"=dword:00000000\n"
                  "\"BackgroundRes\"=dword:00000200\n"
                  "\"EnableRipples\"=dword:00000001\n"
                  "\"YellowFishCount\"=dword:00000005\n"
                  "\"PearlFishCount\"=dword:00000005\n"
                  "\"BlueFishCount\"=dword:00000005\n"
                  "\"TinyFishCount\"=dword:00000005\n",
              ReadStore(home));
}

// Without a store the numbers keep their defaults and Path is empty, not the default.
TEST(CSaverAppSettings, UnopenableStoreKeepsDefaultsAndEmptyPath)
{
    CTempConfigHome home;
    std::filesystem::create_directories(StoreFile(home));
    Load();
    EXPECT_EQ(640, g_Settings.ScreenWidth);
    EXPECT_EQ(5, g_Settings.BlueFishCount);
    EXPECT_EQ("", g_Settings.Path);
    CSaverApp(0, nullptr).SaveSettings();
    EXPECT_TRUE(std::filesystem::is_directory(StoreFile(home)));
}

// A save the store cannot take says so, so that the setup dialog can tell the user.
TEST(CSaverAppSettings, SaveTellsWhenTheStoreRefusesIt)
{
    CTempConfigHome home;
    SetDefaultSettings();
    EXPECT_TRUE(CSaverApp(0, nullptr).SaveSettings());
    const std::string saved = ReadStore(home);
    chmod(StoreFile(home).c_str(), 0444);
    g_Settings.Fade = 42;
    EXPECT_FALSE(CSaverApp(0, nullptr).SaveSettings());
    EXPECT_EQ(saved, ReadStore(home));
    std::filesystem::remove(StoreFile(home));
    std::filesystem::create_directories(StoreFile(home));
    EXPECT_FALSE(CSaverApp(0, nullptr).SaveSettings());
}

// A save writes the fourteen numbers as 32-bit words in their order, and never Path.
TEST(CSaverAppSettings, SaveWritesFourteenWordsInOrder)
{
    CTempConfigHome home;
    WriteStore(home, HEADER + "\"Path\"=\"/opt/coralux/\"\n");
    SettingsRecord& s = g_Settings;
    s = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, -14, "/elsewhere/"};
    CSaverApp(0, nullptr).SaveSettings();
    EXPECT_EQ(HEADER + "\"Path\"=\"/opt/coralux/\"\n"
                       "\"ScreenWidth\"=dword:00000001\n"
                       "\"ScreenHeight\"=dword:00000002\n"
                       "\"ScreenDepth\"=dword:00000003\n"
                       "\"UseDesktopSettings\"=dword:00000004\n"
                       "\"EnableSounds\"=dword:00000005\n"
                       "\"UseDesktopBitmap\"=dword:00000006\n"
                       "\"BackgroundRes\"=dword:00000007\n"
                       "\"EnableRipples\"=dword:00000008\n"
                       "\"EnableFPS\"=dword:00000009\n"
                       "\"Fade\"=dword:0000000a\n"
                       "\"YellowFishCount\"=dword:0000000b\n"
                       "\"PearlFishCount\"=dword:0000000c\n"
                       "\"BlueFishCount\"=dword:0000000d\n"
                       "\"TinyFishCount\"=dword:fffffff2\n",
              ReadStore(home));
}
