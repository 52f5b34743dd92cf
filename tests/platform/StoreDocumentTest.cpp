#include "platform/linux/StoreDocument.h"

#include "platform/Store.h"

#include <gtest/gtest.h>

namespace {

const char KEY[] = "Software\\Quillworth Software\\Coralux Screensaver";

std::vector<uint8_t> Bytes(std::initializer_list<int> values)
{
    std::vector<uint8_t> bytes;
    for (int value : values)
        bytes.push_back(static_cast<uint8_t>(value));
    return bytes;
}

SStoreValue Find(const CStoreDocument& document, const char* name)
{
    SStoreValue value{0, {}};
    EXPECT_TRUE(document.FindValue(KEY, name, &value)) << name;
    return value;
}

bool Has(const CStoreDocument& document, const char* name)
{
    SStoreValue value{0, {}};
    return document.FindValue(KEY, name, &value);
}

}  // namespace

// Every type keeps its type number and its exact bytes, words in regedit's
// hexadecimal: 00000021 is 33, and 640 is 80 02 00 00.
TEST(CStoreDocument, ReadsEachTypeWithItsByteSize)
{
    const CStoreDocument document("Windows Registry Editor Version 5.00\n"
                                  "[HKEY_CURRENT_USER\\Software\\Quillworth Software\\Coralux Screensaver]\n"
                                  "\"Fade\"=dword:00000021\n"
                                  "\"Width\"=dword:280\n"
                                  "\"Top\"=dword:FFFFFFFF\n"
                                  "\"Path\"=\"C:\\\\Coralux\\\\ \\\"x\\\"\"\n"
                                  "\"Blob\"=hex:01, 2,ff\n"
                                  "\"Empty\"=hex:\n"
                                  "\"Quad\"=hex(b):00,01,02,03,04,05,06,07\n");
    EXPECT_EQ(STORE_DWORD, Find(document, "Fade").type);
    EXPECT_EQ(Bytes({33, 0, 0, 0}), Find(document, "Fade").data);
    EXPECT_EQ(Bytes({0x80, 0x02, 0, 0}), Find(document, "Width").data);
    EXPECT_EQ(Bytes({0xFF, 0xFF, 0xFF, 0xFF}), Find(document, "Top").data);
    EXPECT_EQ(STORE_STRING, Find(document, "Path").type);
    const std::string path = "C:\\Coralux\\ \"x\"";
    std::vector<uint8_t> expected(path.begin(), path.end());
    expected.push_back(0);
    EXPECT_EQ(expected, Find(document, "Path").data);
    EXPECT_EQ(STORE_BINARY, Find(document, "Blob").type);
    EXPECT_EQ(Bytes({1, 2, 0xFF}), Find(document, "Blob").data);
    EXPECT_TRUE(Find(document, "Empty").data.empty());
    EXPECT_EQ(11u, Find(document, "Quad").type);
    EXPECT_EQ(8u, Find(document, "Quad").data.size());
}

// Damaged lines give no value, and do not stop the good lines around them.
TEST(CStoreDocument, SkipsDamagedLinesAndReadsTheRest)
{
    std::string text = "\"Orphan\"=dword:1\n"
                       "[Software\\Quillworth Software\\Coralux Screensaver]\n"
                       "\"Truncated\"=dwo\n"
                       "\"Cut\"=dword:\n"
                       "\"NineDigits\"=dword:123456789\n"
                       "\"Signed\"=dword:-1\n"
                       "\"Prefixed\"=dword:0x1F\n"
                       "\"Unclosed\"=\"C:\\Coralux\n"
                       "\"Trailing\"=\"text\" junk\n"
                       "\"BadByte\"=hex:01,zz\n"
                       "\"BadType\"=hex(x):01\n"
                       "\"NoEquals\" dword:1\n"
                       "\"Half\n";
    text += std::string("\x00\xFF\xFE garbage \x01\n", 14);
    text += "\"Good\"=dword:7\r\n";
    const CStoreDocument document(text);
    for (const char* name : {"Orphan", "Truncated", "Cut", "NineDigits", "Signed", "Prefixed", "Unclosed", "Trailing",
                             "BadByte", "BadType", "NoEquals"})
        EXPECT_FALSE(Has(document, name)) << name;
    EXPECT_EQ(Bytes({7, 0, 0, 0}), Find(document, "Good").data);
}

// Names and keys match without regard to case, with or without the hive's
// name; the last readable line counts.
TEST(CStoreDocument, LaterReadableLineWinsWhateverTheCase)
{
    const CStoreDocument document("[software\\QUILLWORTH SOFTWARE\\coralux screensaver]\n"
                                  "\"fade\"=dword:1\n"
                                  "[hkey_current_user\\SOFTWARE\\Quillworth Software\\Coralux Screensaver]\n"
                                  "\"FADE\"=dword:2\n"
                                  "\"Fade\"=dword:broken\n"
                                  "[Other\\Key]\n"
                                  "\"Fade\"=dword:3\n");
    EXPECT_EQ(Bytes({2, 0, 0, 0}), Find(document, "Fade").data);
}

// A value of another key, or of the same key in another hive, is not ours.
TEST(CStoreDocument, IgnoresValuesOfOtherKeys)
{
    const CStoreDocument document("[Other\\Key]\n\"Fade\"=dword:3\n"
                                  "[HKEY_LOCAL_MACHINE\\Software\\Quillworth Software\\Coralux Screensaver]\n"
                                  "\"Fade\"=dword:4\n");
    EXPECT_FALSE(document.HasKey(KEY));
    EXPECT_FALSE(Has(document, "Fade"));
}

// Writing one value keeps comments, damaged lines, unknown values, CR LF
// lines and other keys; a file without regedit's first line gets it.
TEST(CStoreDocument, SetDwordKeepsEveryOtherLine)
{
    CStoreDocument document("; mine\n"
                            "[Software\\Quillworth Software\\Coralux Screensaver]\n"
                            "\"Path\"=\"/opt/coralux\\\\\"\r\n"
                            "\"Broken\"=dword:zz\n"
                            "\"Mine\"=hex:01\n"
                            "\n"
                            "[Other\\Key]\n"
                            "\"ScreenWidth\"=dword:1\n");
    ASSERT_TRUE(document.SetDword(KEY, "ScreenWidth", 1024));
    EXPECT_EQ("Windows Registry Editor Version 5.00\n"
              "\n"
              "; mine\n"
              "[Software\\Quillworth Software\\Coralux Screensaver]\n"
              "\"Path\"=\"/opt/coralux\\\\\"\r\n"
              "\"Broken\"=dword:zz\n"
              "\"Mine\"=hex:01\n"
              "\"ScreenWidth\"=dword:00000400\n"
              "\n"
              "[Other\\Key]\n"
              "\"ScreenWidth\"=dword:1\n",
              document.Format());
}

// Every line of the name, damaged or not, gives way to one good line in the first one's place.
TEST(CStoreDocument, SetDwordReplacesDamagedAndDuplicateLines)
{
    CStoreDocument document("REGEDIT4\n"
                            "[HKEY_CURRENT_USER\\Software\\Quillworth Software\\Coralux Screensaver]\n"
                            "\"Fade\"=dword:zz\n"
                            "\"Other\"=dword:1\n"
                            "\"fade\"=\"50\"\n");
    ASSERT_TRUE(document.SetDword(KEY, "Fade", 0xFFFFFFFF));
    EXPECT_EQ("REGEDIT4\n"
              "[HKEY_CURRENT_USER\\Software\\Quillworth Software\\Coralux Screensaver]\n"
              "\"Fade\"=dword:ffffffff\n"
              "\"Other\"=dword:1\n",
              document.Format());
}

// A new file is one regedit can import: its first line, the explaining
// comment, the key in the user's hive and the value, readable again.
TEST(CStoreDocument, SetDwordCreatesMissingKey)
{
    CStoreDocument document;
    ASSERT_TRUE(document.SetDword(KEY, "Name \"q\" \\", 640));
    const std::string text = document.Format();
    EXPECT_EQ(0u, text.find("Windows Registry Editor Version 5.00\n\n;"));
    EXPECT_NE(std::string::npos, text.find("\n\n[HKEY_CURRENT_USER\\Software\\Quillworth Software\\Coralux "
                                           "Screensaver]\n\"Name \\\"q\\\" \\\\\"=dword:00000280\n"));
    EXPECT_EQ(Bytes({0x80, 0x02, 0, 0}), Find(CStoreDocument(text), "Name \"q\" \\").data);
}

// A name with a line break would split its line and make a value of garbage.
TEST(CStoreDocument, SetDwordRefusesNameWithLineBreak)
{
    CStoreDocument document("[Software\\Quillworth Software\\Coralux Screensaver]\n");
    EXPECT_FALSE(document.SetDword(KEY, "Bad\nName", 1));
    EXPECT_EQ("[Software\\Quillworth Software\\Coralux Screensaver]\n", document.Format());
}

// A file written by earlier versions, known by their comment at its top, has
// decimal words: they keep their values, and a write turns the file into
// regedit's syntax, its explaining comment with it. Damaged lines stay.
TEST(CStoreDocument, ReadsEarlierDecimalFileWithItsValues)
{
    CStoreDocument document("; Coralux Screensaver settings for this user. Safe to edit by hand; lines\n"
                            "; the program cannot read are kept as they are. One value per line:\n"
                            ";   \"Name\"=dword:640      32-bit number, decimal (or 0x hexadecimal)\n"
                            ";   \"Name\"=\"text\"         text; write \\\\ for \\ and \\\" for \"\n"
                            ";   \"Name\"=hex:01,02,ff   binary bytes; hex(N): for a value of type N\n"
                            "\n"
                            "[Software\\Quillworth Software\\Coralux Screensaver]\n"
                            "\"Fade\"=dword:33\n"
                            "\"Minus\"=dword:-1\n"
                            "\"Res\"=dword:0x100\n"
                            "\"Quad\"=hex(11):00,01,02,03,04,05,06,07\n"
                            "\"Path\"=\"C:\\\\x\\\\\"\n"
                            "\"Broken\"=dword:zz\n");
    EXPECT_EQ(Bytes({33, 0, 0, 0}), Find(document, "Fade").data);
    EXPECT_EQ(Bytes({0xFF, 0xFF, 0xFF, 0xFF}), Find(document, "Minus").data);
    EXPECT_EQ(Bytes({0, 1, 0, 0}), Find(document, "Res").data);
    EXPECT_EQ(11u, Find(document, "Quad").type);
    EXPECT_EQ(Bytes({'C', ':', '\\', 'x', '\\', 0}), Find(document, "Path").data);

    ASSERT_TRUE(document.SetDword(KEY, "ScreenWidth", 640));
    const std::string text = document.Format();
    EXPECT_EQ(0u, text.find("Windows Registry Editor Version 5.00\n\n;")) << text;
    EXPECT_EQ(std::string::npos, text.find("; Coralux Screensaver settings")) << text;
    EXPECT_EQ(text.substr(text.find('[')), "[HKEY_CURRENT_USER\\Software\\Quillworth Software\\Coralux Screensaver]\n"
                                           "\"Fade\"=dword:00000021\n"
                                           "\"Minus\"=dword:ffffffff\n"
                                           "\"Res\"=dword:00000100\n"
                                           "\"Quad\"=hex(b):00,01,02,03,04,05,06,07\n"
                                           "\"Path\"=\"C:\\\\x\\\\\"\n"
                                           "\"Broken\"=dword:zz\n"
                                           "\"ScreenWidth\"=dword:00000280\n");
}
