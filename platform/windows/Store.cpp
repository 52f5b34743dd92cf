// The per-user store is the registry's current-user hive itself; the host
// writes each value as it is set and keeps the hive whole on its own.
#include <algorithm>
#include <vector>

#include "platform/Store.h"
#include "platform/windows/WindowClasses.h"

namespace {

HKEY ToKey(HStoreKey key)
{
    return reinterpret_cast<HKEY>(key);
}

}  // namespace

HStoreKey SysCreateStoreKey(const char* path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return 0;
    return reinterpret_cast<HStoreKey>(key);
}

bool SysQueryStoreValue(HStoreKey key, const char* name, uint32_t* type, void* data, uint32_t* size)
{
    if (!key)
        return false;
    // The host leaves a too-small buffer undefined: read into our own first.
    DWORD stored = 0, storedType = 0;
    if (RegQueryValueExA(ToKey(key), name, nullptr, &storedType, nullptr, &stored) != ERROR_SUCCESS)
        return false;
    std::vector<BYTE> bytes(stored);
    if (RegQueryValueExA(ToKey(key), name, nullptr, &storedType, bytes.data(), &stored) != ERROR_SUCCESS)
        return false;
    const bool fits = stored <= *size;
    *size = stored;
    if (!fits)
        return false;
    *type = storedType;
    std::copy(bytes.begin(), bytes.begin() + stored, static_cast<BYTE*>(data));
    return true;
}

bool SysSetStoreDword(HStoreKey key, const char* name, uint32_t value)
{
    if (!key)
        return false;
    const BYTE bytes[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                           static_cast<BYTE>(value >> 24)};
    return RegSetValueExA(ToKey(key), name, 0, REG_DWORD, bytes, sizeof bytes) == ERROR_SUCCESS;
}

bool SysAddStoreDword(HStoreKey key, const char* name, uint32_t value)
{
    if (!key)
        return false;
    // The host writes each value at once, so a value stored by now is the one to keep.
    DWORD stored = 0;
    if (RegQueryValueExA(ToKey(key), name, nullptr, nullptr, nullptr, &stored) == ERROR_SUCCESS && stored == 4)
        return true;
    return SysSetStoreDword(key, name, value);
}

bool SysCloseStoreKey(HStoreKey key)
{
    return !key || RegCloseKey(ToKey(key)) == ERROR_SUCCESS;
}
