// The shell's document handler and the executable's own folder, through the
// wide calls: the ANSI ones turn letters outside the code page into '?'.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>

#include "platform/Shell.h"
#include "platform/windows/Utf16.h"

namespace {

const DWORD LONGEST_PATH = 32768;  // UTF-16 units, the host's limit with the \\?\ form

}  // namespace

bool SysOpenDocument(const std::string& path)
{
    // The program's code may write '/'; some handlers take only the host's '\\'.
    std::wstring file = ToUtf16(path);
    std::replace(file.begin(), file.end(), L'/', L'\\');
    // ShellExecute's result is a number above 32 on success.
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool SysFileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(ToUtf16(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Ends in the host's own separator, '\\'.
std::string SysGetProgramFolder()
{
    // A path longer than the buffer comes back cut short: try a larger one.
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) >= path.size()) {
        if (path.size() >= LONGEST_PATH)
            return std::string();
        path.resize(path.size() * 2);
    }
    if (length == 0)
        return std::string();
    path.resize(length);
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::string() : ToUtf8(path.data(), slash + 1);
}
