#include "app/Registry.h"

#include "tests/support/TempConfigHome.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const char KEY[] = "Software\\Quillworth Software\\Coralux Screensaver";

void WriteStore(const CTempConfigHome& home, const std::string& values)
{
    std::filesystem::create_directories(std::filesystem::path(home.GetStoreFile()).parent_path());
    std::ofstream(home.GetStoreFile(), std::ios::binary) << "[" << KEY << "]\n" << values;
}

std::string ReadStore(const CTempConfigHome& home)
{
    std::ifstream file(home.GetStoreFile(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

// The text ends at its first zero, not at the value's stored size.
TEST(CRegistry, ReadStringStopsAtTerminatingZero)
{
    CTempConfigHome home;
    WriteStore(home, "\"Path\"=\"/opt/coralux/\"\n\"Zero\"=hex(1):61,62,00,63,00\n\"Bare\"=hex(1):61,62\n");
    CRegistry registry;
    ASSERT_TRUE(registry.Create(KEY));
    EXPECT_EQ("/opt/coralux/", registry.ReadString("Path", ".\\"));
    EXPECT_EQ("ab", registry.ReadString("Zero", ".\\"));
    EXPECT_EQ("ab", registry.ReadString("Bare", ".\\"));
}

// 1023 characters and their zero fill the 1024-byte buffer; one more gives the default.
TEST(CRegistry, ReadStringGivesDefaultForMissingOrTooLongValue)
{
    CTempConfigHome home;
    const std::string fits(1023, 'x');
    WriteStore(home, "\"Fits\"=\"" + fits + "\"\n\"Long\"=\"" + fits + "y\"\n");
    CRegistry registry;
    ASSERT_TRUE(registry.Create(KEY));
    EXPECT_EQ(fits, registry.ReadString("Fits", ".\\"));
    EXPECT_EQ(".\\", registry.ReadString("Long", ".\\"));
    EXPECT_EQ(".\\", registry.ReadString("Path", ".\\"));
}

// Without an open key there is no default either: the text is empty.
TEST(CRegistry, ReadStringWithoutKeyIsEmpty)
{
    CTempConfigHome home;
    CRegistry never;
    EXPECT_EQ("", never.ReadString("Path", ".\\"));
    std::filesystem::create_directories(home.GetStoreFile());
    CRegistry failed;
    EXPECT_FALSE(failed.Create(KEY));
    EXPECT_EQ("", failed.ReadString("Path", ".\\"));
}

// Only a value of exactly 4 bytes replaces the number, whatever its type.
TEST(CRegistry, QueryDwordTakesOnlyFourByteValues)
{
    CTempConfigHome home;
    WriteStore(home, "\"Word\"=dword:fffffffb\n"
                     "\"Binary\"=hex:64,00,00,00\n"
                     "\"ShortText\"=\"abc\"\n"
                     "\"LongText\"=\"wide\"\n"
                     "\"OneByte\"=hex:05\n"
                     "\"Eight\"=hex(b):01,00,00,00,00,00,00,00\n");
    CRegistry registry;
    ASSERT_TRUE(registry.Create(KEY));
    int32_t value = 640;
    registry.QueryDword("Word", &value);
    EXPECT_EQ(-5, value);
    registry.QueryDword("Binary", &value);
    EXPECT_EQ(100, value);
    registry.QueryDword("ShortText", &value);
    EXPECT_EQ(0x00636261, value);  // 'a' 'b' 'c' 0, low byte first
    for (const char* ignored : {"LongText", "OneByte", "Eight", "Missing"}) {
        value = 640;
        registry.QueryDword(ignored, &value);
        EXPECT_EQ(640, value) << ignored;
    }
}

// Values set through the holder reach the file when it goes out of scope.
TEST(CRegistry, DestructorWritesSetValues)
{
    CTempConfigHome home;
    {
        CRegistry registry;
        ASSERT_TRUE(registry.Create(KEY));
        registry.SetDword("Fade", -1);
    }
    EXPECT_NE(std::string::npos, ReadStore(home).find("\n\"Fade\"=dword:ffffffff\n"));
}
