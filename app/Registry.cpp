#include "app/Registry.h"

#include <cstring>

CRegistry::~CRegistry()
{
    // A destructor must not throw; a save lost to a lack of memory is a failed write.
    try {
        Close();
    } catch (...) {}
}

bool CRegistry::Create(const char* path)
{
    Close();
    m_hKey = SysCreateStoreKey(path);
    return m_hKey != 0;
}

bool CRegistry::Close()
{
    const HStoreKey key = m_hKey;
    m_hKey = 0;
    return SysCloseStoreKey(key);
}

void CRegistry::QueryDword(const char* name, int32_t* value) const
{
    // Fewer than 4 bytes would overwrite only part of the old number.
    uint8_t buffer[4];
    uint32_t type = 0;
    uint32_t size = sizeof buffer;
    if (!SysQueryStoreValue(m_hKey, name, &type, buffer, &size) || size != sizeof buffer)
        return;
    // The store keeps a word's bytes low first, whatever the processor's order.
    *value =
        static_cast<int32_t>(buffer[0] | buffer[1] << 8 | buffer[2] << 16 | static_cast<uint32_t>(buffer[3]) << 24);
}

bool CRegistry::SetDword(const char* name, int32_t value)
{
    return SysSetStoreDword(m_hKey, name, static_cast<uint32_t>(value));
}

void CRegistry::AddDword(const char* name, int32_t value)
{
    SysAddStoreDword(m_hKey, name, static_cast<uint32_t>(value));
}

std::string CRegistry::ReadString(const char* name, const char* defaultText) const
{
    if (!m_hKey)
        return {};
    char buffer[READ_BUFFER_BYTES];
    uint32_t type = 0;
    uint32_t size = sizeof buffer;
    if (!SysQueryStoreValue(m_hKey, name, &type, buffer, &size))
        return defaultText;
    return std::string(buffer, strnlen(buffer, size));
}
