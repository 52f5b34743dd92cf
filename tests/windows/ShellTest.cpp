// The shell's file helpers with paths outside the ANSI code page.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/Shell.h"

namespace {

std::string ToUtf8(const std::wstring& text)
{
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), bytes, nullptr, nullptr);
    narrow.pop_back();
    return narrow;
}

}  // namespace

// A file in a folder named in Cyrillic is found by its UTF-8 path; the
// folder itself is no file.
TEST(Win32Shell, FileInFolderOfAnyLanguageIsFound)
{
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring folder = std::wstring(temp) + L"Коралл";
    const std::wstring file = folder + L"\\ReadMe.chm";
    CreateDirectoryW(folder.c_str(), nullptr);
    const HANDLE made = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(made, INVALID_HANDLE_VALUE);
    CloseHandle(made);
    EXPECT_TRUE(SysFileExists(ToUtf8(file)));
    EXPECT_FALSE(SysFileExists(ToUtf8(folder)));
    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
    EXPECT_FALSE(SysFileExists(ToUtf8(file)));
}
