#pragma once
// The resource pack: every asset of the program (textures, meshes, scene-node
// files, sounds, the background picture) in one block of bytes linked into the
// executable, copied into memory once at start-up and looked up by name.
// Not a file system: names are compared as they stand, apart from ASCII case.
//
// Format (little-endian 32-bit words): "KCAP", record count N, N records of
// SPackRecordHeader, then the entries' bytes wherever the records point.
#include <cstddef>
#include <cstdint>
#include <vector>

const int PACK_RESOURCE_ID = 140;
const uint32_t PACK_MAGIC = 0x5041434B;  // "KCAP" read as a little-endian word
const size_t PACK_NAME_SIZE = 256;       // zero-terminated, so at most 255 characters
// The loaded copies of all entries together, in bytes: sixty times the shipped
// pack, room for any replaced picture, and a cap on what a damaged table can claim.
const uint64_t MAX_PACK_COPY_SIZE = 64u << 20;

// One catalogue record as stored in the pack. Once loaded only name and size
// mean anything.
struct SPackRecordHeader
{
    uint32_t offset;            // of the entry's first byte, from the start of the pack
    uint32_t size;              // of the entry in bytes
    char name[PACK_NAME_SIZE];  // zero-filled after the name
};
static_assert(sizeof(SPackRecordHeader) == 264, "the stored record is 264 bytes");

class CPack
{
public:
    // Loads the pack from the executable's resource of that number. A missing
    // or empty resource leaves the pack as it was; any other failure leaves
    // it empty. Returns 1 or 0.
    int Load(int resourceId);
    // Replaces the contents with the pack held in these bytes. Entries may
    // overlap. A wrong magic, a record table, entry or name that does not lie
    // inside the bytes, or entries adding up to more than MAX_PACK_COPY_SIZE,
    // reject the whole pack and leave it empty. Returns 1 or 0.
    int LoadFromMemory(const uint8_t* data, size_t size);
    void Clear();
    // Appends an entry holding a copy of the bytes. Returns 1, or 0 when the
    // name does not fit the 256-byte field or there are no bytes to copy.
    int AddRecord(const char* name, const void* data, uint32_t size);
    // The index of the first entry of that name (ASCII letters in any case), or -1.
    int FindRecord(const char* name) const;
    // Points the outputs at the first entry of that name and returns 1, or
    // returns 0 and leaves them untouched. An empty entry gives no data and size 0.
    int GetRecord(const char* name, const uint8_t** data, uint32_t* size) const;
    int GetCount() const { return static_cast<int>(m_records.size()); }
    // The record and bytes of an entry; an index outside the pack raises.
    const SPackRecordHeader& GetHeader(int index) const;
    const uint8_t* GetData(int index) const;

private:
    // Copies the entries of a pack already checked by LoadFromMemory.
    int AddRecords(const uint8_t* data);

    std::vector<SPackRecordHeader> m_records;
    std::vector<std::vector<uint8_t>> m_data;  // indexed like m_records
};

// The process-wide pack, empty until LoadResourcePack.
CPack& GetPack();

// Called once at start-up: loads the process-wide pack and forgets the
// current item. Returns 1 or 0.
int LoadResourcePack(int resourceId);

// Looks the name up in the process-wide pack. On success makes the entry the
// current item, writes each output given and returns 1; otherwise returns 0
// and changes nothing.
int FindPackItem(const char* name, const uint8_t** data = nullptr, uint32_t* size = nullptr);

// The current item: the entry last found by FindPackItem (null and 0 before).
const uint8_t* GetPackItemData();
uint32_t GetPackItemSize();
