// The store on the registry's current-user hive, under a throwaway key.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "platform/Store.h"

namespace {

const char TEST_KEY[] = "Software\\Quillworth Software\\Coralux Store Test";

class Win32Store : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, TEST_KEY);
        m_key = SysCreateStoreKey(TEST_KEY);
        ASSERT_NE(m_key, 0u);
    }
    void TearDown() override
    {
        SysCloseStoreKey(m_key);
        RegDeleteTreeA(HKEY_CURRENT_USER, TEST_KEY);
    }
    void SetRaw(const char* name, DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(RegSetValueExA(reinterpret_cast<HKEY>(m_key), name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    void SetRawText(const wchar_t* name, const wchar_t* text, DWORD size)
    {
        ASSERT_EQ(
            RegSetValueExW(reinterpret_cast<HKEY>(m_key), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size),
            ERROR_SUCCESS);
    }

    HStoreKey m_key = 0;
};

}  // namespace

// A value larger than the buffer is refused with its size, the buffer untouched.
TEST_F(Win32Store, LargerValueLeavesBufferAsItWas)
{
    SetRaw("Text", REG_SZ, "abcdefgh", 9);
    uint8_t buffer[4] = {1, 2, 3, 4};
    uint32_t type = 0, size = sizeof buffer;
    EXPECT_FALSE(SysQueryStoreValue(m_key, "Text", &type, buffer, &size));
    EXPECT_EQ(size, 9u);
    const uint8_t untouched[4] = {1, 2, 3, 4};
    EXPECT_EQ(std::memcmp(buffer, untouched, sizeof buffer), 0);
}

// A word is stored as REG_DWORD, low byte first, and read back with its type.
TEST_F(Win32Store, DwordIsStoredTypedLowByteFirst)
{
    ASSERT_TRUE(SysSetStoreDword(m_key, "Word", 0x01020384));
    DWORD rawType = 0, raw = 0, rawSize = sizeof raw;
    ASSERT_EQ(RegQueryValueExA(reinterpret_cast<HKEY>(m_key), "Word", nullptr, &rawType,
                               reinterpret_cast<BYTE*>(&raw), &rawSize),
              ERROR_SUCCESS);
    EXPECT_EQ(rawType, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(raw, 0x01020384u);
    uint8_t bytes[8] = {};
    uint32_t type = 0, size = sizeof bytes;
    ASSERT_TRUE(SysQueryStoreValue(m_key, "Word", &type, bytes, &size));
    EXPECT_EQ(type, STORE_DWORD);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(bytes[0], 0x84);
    EXPECT_EQ(bytes[3], 0x01);
}

// A value of another type keeps its type and bytes; a missing one reads as missing.
TEST_F(Win32Store, OtherTypesAndMissingValues)
{
    const uint8_t blob[3] = {9, 8, 7};
    SetRaw("Blob", REG_BINARY, blob, sizeof blob);
    uint8_t bytes[8] = {};
    uint32_t type = 0, size = sizeof bytes;
    ASSERT_TRUE(SysQueryStoreValue(m_key, "Blob", &type, bytes, &size));
    EXPECT_EQ(type, STORE_BINARY);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(bytes[2], 7);
    size = sizeof bytes;
    EXPECT_FALSE(SysQueryStoreValue(m_key, "Missing", &type, bytes, &size));
    EXPECT_FALSE(SysQueryStoreValue(0, "Blob", &type, bytes, &size));
}

// Text is read through the wide calls and handed on as UTF-8 with one
// terminating zero, however many the value kept: a "Path" with letters
// outside the ANSI code page arrives whole instead of as question marks.
TEST_F(Win32Store, TextArrivesAsUtf8WithOneTerminatingZero)
{
    const wchar_t stored[] = L"C:\\Пользователь\\\0";
    SetRawText(L"Path", stored, sizeof stored);
    char text[64] = {};
    uint32_t type = 0, size = sizeof text;
    ASSERT_TRUE(SysQueryStoreValue(m_key, "Path", &type, text, &size));
    EXPECT_EQ(type, STORE_STRING);
    const char expected[] = "C:\\Пользователь\\";
    EXPECT_EQ(size, sizeof expected);
    EXPECT_STREQ(text, expected);
}
