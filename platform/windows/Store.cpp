// The per-user store is the registry's current-user hive itself; the host
// writes each value as it is set and keeps the hive whole on its own. Text
// values are read through the wide calls and handed on as UTF-8, so a "Path"
// in any language arrives whole; the hive keeps them as the REG_SZ they are.
#include <algorithm>
#include <vector>

#include "platform/Store.h"
#include "platform/windows/Utf16.h"
#include "platform/windows/WindowClasses.h"

namespace {

HKEY ToKey(HStoreKey key)
{
    return reinterpret_cast<HKEY>(key);
}

bool IsText(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// The text's UTF-8 bytes and one terminating zero, however many zeros the value kept.
std::vector<BYTE> ToUtf8Value(const std::vector<BYTE>& stored)
{
    std::vector<wchar_t> wide(stored.size() / sizeof(wchar_t));
    std::copy(stored.begin(), stored.begin() + wide.size() * sizeof(wchar_t), reinterpret_cast<BYTE*>(wide.data()));
    const auto end = std::find(wide.begin(), wide.end(), L'\0');
    const std::string text = ToUtf8(wide.data(), static_cast<size_t>(end - wide.begin()));
    std::vector<BYTE> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

}  // namespace

HStoreKey SysCreateStoreKey(const char* path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, ToUtf16(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 0;
    return reinterpret_cast<HStoreKey>(key);
}

bool SysQueryStoreValue(HStoreKey key, const char* name, uint32_t* type, void* data, uint32_t* size)
{
    if (!key)
        return false;
    const std::wstring valueName = ToUtf16(name);
    // The host leaves a too-small buffer undefined: read into our own first.
    DWORD stored = 0, storedType = 0;
    if (RegQueryValueExW(ToKey(key), valueName.c_str(), nullptr, &storedType, nullptr, &stored) != ERROR_SUCCESS)
        return false;
    std::vector<BYTE> bytes(stored);
    if (RegQueryValueExW(ToKey(key), valueName.c_str(), nullptr, &storedType, bytes.data(), &stored) != ERROR_SUCCESS)
        return false;
    bytes.resize(stored);
    if (IsText(storedType))
        bytes = ToUtf8Value(bytes);
    const bool fits = bytes.size() <= *size;
    *size = static_cast<uint32_t>(bytes.size());
    if (!fits)
        return false;
    *type = storedType;
    std::copy(bytes.begin(), bytes.end(), static_cast<BYTE*>(data));
    return true;
}

bool SysSetStoreDword(HStoreKey key, const char* name, uint32_t value)
{
    if (!key)
        return false;
    const BYTE bytes[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                           static_cast<BYTE>(value >> 24)};
    return RegSetValueExW(ToKey(key), ToUtf16(name).c_str(), 0, REG_DWORD, bytes, sizeof bytes) == ERROR_SUCCESS;
}

bool SysAddStoreDword(HStoreKey key, const char* name, uint32_t value)
{
    if (!key)
        return false;
    // The host writes each value at once, so a value stored by now is the one to keep.
    DWORD stored = 0;
    if (RegQueryValueExW(ToKey(key), ToUtf16(name).c_str(), nullptr, nullptr, nullptr, &stored) == ERROR_SUCCESS &&
        stored == 4)
        return true;
    return SysSetStoreDword(key, name, value);
}

bool SysCloseStoreKey(HStoreKey key)
{
    return !key || RegCloseKey(ToKey(key)) == ERROR_SUCCESS;
}
