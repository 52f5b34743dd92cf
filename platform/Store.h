#pragma once
// The per-user key-value store: keys named by a path of backslash-separated
// names, each holding typed values (32-bit word, string, binary bytes), in the
// manner of the host registry's current-user hive. It keeps every value's type
// and byte size, and the values the program does not know.
//
// A key is read once when it is opened; values set through it are kept in
// memory and written together, in one atomic replacement, when it is closed.
// So a crash during a save leaves the previous store whole.
#include <cstdint>

typedef uintptr_t HStoreKey;  // 0: no key

// Value types, numbered as the host registry numbers them.
const uint32_t STORE_STRING = 1;  // text with its terminating zero
const uint32_t STORE_BINARY = 3;
const uint32_t STORE_DWORD = 4;  // 4 bytes, little-endian

// Opens the key, creating it (empty) when it is missing. Returns 0 when the
// store cannot be read or the missing key cannot be created.
HStoreKey SysCreateStoreKey(const char* path);

// Copies a value into data, which holds *size bytes, and sets *type and *size
// to the value's type and byte size. False when the value is missing or holds
// more than *size bytes (then *size tells how many it holds); data is then
// left as it was.
bool SysQueryStoreValue(HStoreKey key, const char* name, uint32_t* type, void* data, uint32_t* size);

// Sets a 32-bit value, replacing whatever the name held. False when the key
// is not valid. The store on disk changes when the key is closed.
bool SysSetStoreDword(HStoreKey key, const char* name, uint32_t value);

// Sets a 32-bit value only where the name holds no 4-byte value when the key
// is written: one that another process stored meanwhile stays. For filling
// in defaults without undoing someone else's save. False when the key is not
// valid.
bool SysAddStoreDword(HStoreKey key, const char* name, uint32_t value);

// Writes the values set through the key, then frees it. False when the values
// could not be written (the store keeps its previous content); true otherwise.
bool SysCloseStoreKey(HStoreKey key);
