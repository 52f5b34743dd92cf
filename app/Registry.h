#pragma once
// A small holder of one open key of the per-user store: it opens the key,
// reads and writes values through it and closes it when destroyed. Failures
// are not reported: the settings go on without the store.
#include "platform/Store.h"

#include <cstdint>
#include <string>

class CRegistry
{
public:
    CRegistry() = default;
    ~CRegistry();
    CRegistry(const CRegistry&) = delete;
    CRegistry& operator=(const CRegistry&) = delete;

    // Opens the key, creating it when missing; false leaves no key open.
    bool Create(const char* path);
    // Writes what was set and frees the key; false when the writes were lost.
    bool Close();
    bool IsOpen() const { return m_hKey != 0; }

    // Copies a 4-byte value of any type into *value; a missing value or one of
    // another size leaves *value as it was.
    void QueryDword(const char* name, int32_t* value) const;
    // Sets a 32-bit value; written when the key is closed. False when the key refuses it.
    bool SetDword(const char* name, int32_t value);
    // Sets it only where the store holds no 4-byte value when the key is closed.
    void AddDword(const char* name, int32_t value);
    // The value's text up to its terminating zero, read into a buffer of
    // READ_BUFFER_BYTES; the default text when the value is missing or longer
    // than the buffer; an empty string when no key is open.
    std::string ReadString(const char* name, const char* defaultText) const;

    static const uint32_t READ_BUFFER_BYTES = 1024;

private:
    HStoreKey m_hKey = 0;
};
