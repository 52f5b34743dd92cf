#include "platform/linux/StoreText.h"

#include <gtest/gtest.h>

// A mark from the host system's editors, or regedit's UTF-16 export, gives
// the same text as plain UTF-8; a file without a mark is taken as it is.
TEST(StoreText, MarkedFilesReadAsPlainUtf8)
{
    EXPECT_EQ("REGEDIT4\r\n", DecodeStoreText("\xEF\xBB\xBFREGEDIT4\r\n"));
    // "[é🐟]": é is one unit, the fish a surrogate pair.
    EXPECT_EQ("[\xC3\xA9\xF0\x9F\x90\x9F]", DecodeStoreText(std::string("\xFF\xFE[\0\xE9\0\x3D\xD8\x1F\xDC]\0", 12)));
    EXPECT_EQ("[\xC3\xA9]", DecodeStoreText(std::string("\xFE\xFF\0[\0\xE9\0]", 8)));
    EXPECT_EQ("\xEF\xBB no mark", DecodeStoreText("\xEF\xBB no mark"));
}

// A damaged UTF-16 file still gives what can be read: a lone surrogate is
// a replacement character, an odd last byte is dropped.
TEST(StoreText, DamagedUtf16KeepsTheRest)
{
    EXPECT_EQ("a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD",
              DecodeStoreText(std::string("\xFF\xFE"
                                          "a\0\x3D\xD8"
                                          "b\0\x1F\xDC"
                                          "c",
                                          11)));
}
