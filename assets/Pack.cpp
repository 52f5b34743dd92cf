#include "assets/Pack.h"

#include <cstring>
#include <new>

#include "app/Trace.h"
#include "platform/Resources.h"

namespace {

const size_t PACK_HEADER_SIZE = 8;  // magic and record count

uint32_t ReadWord(const uint8_t* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

SPackRecordHeader ReadRecord(const uint8_t* pack, uint32_t index)
{
    const uint8_t* bytes = pack + PACK_HEADER_SIZE + sizeof(SPackRecordHeader) * index;
    SPackRecordHeader record;
    record.offset = ReadWord(bytes);
    record.size = ReadWord(bytes + 4);
    std::memcpy(record.name, bytes + 8, PACK_NAME_SIZE);
    return record;
}

// Everything a record points at must lie inside the pack. Entries may share
// bytes, so the copies are bounded by an absolute limit instead of the pack's
// size: a small pack cannot make the loader claim any amount of memory.
bool IsPackIntact(const uint8_t* data, size_t size)
{
    if (size < PACK_HEADER_SIZE || ReadWord(data) != PACK_MAGIC)
        return false;
    const uint64_t count = ReadWord(data + 4);
    if (PACK_HEADER_SIZE + count * sizeof(SPackRecordHeader) > size)
        return false;
    uint64_t total = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const SPackRecordHeader record = ReadRecord(data, i);
        if (static_cast<uint64_t>(record.offset) + record.size > size)
            return false;
        if (std::memchr(record.name, 0, PACK_NAME_SIZE) == nullptr)
            return false;
        total += record.size;
    }
    return total <= MAX_PACK_COPY_SIZE;
}

bool IsSameName(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        unsigned char x = static_cast<unsigned char>(*a);
        unsigned char y = static_cast<unsigned char>(*b);
        // Only ASCII letters fold: the other bytes of a multi-byte character must match.
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return false;
        if (x == 0)
            return true;
    }
}

CPack g_Pack;
const uint8_t* g_itemData = nullptr;
uint32_t g_itemSize = 0;

}  // namespace

int CPack::Load(int resourceId)
{
    const uint8_t* data = nullptr;
    size_t size = 0;
    if (!SysFindResource(resourceId, &data, &size) || size == 0)
        return 0;
    return LoadFromMemory(data, size);
}

int CPack::LoadFromMemory(const uint8_t* data, size_t size)
{
    Clear();
    if (data == nullptr || !IsPackIntact(data, size))
        return 0;
    try {
        return AddRecords(data);
    } catch (const std::bad_alloc&) {
        Clear();
        return 0;
    }
}

int CPack::AddRecords(const uint8_t* data)
{
    const uint32_t count = ReadWord(data + 4);
    m_records.reserve(count);
    m_data.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const SPackRecordHeader record = ReadRecord(data, i);
        AddRecord(record.name, data + record.offset, record.size);
    }
    return 1;
}

void CPack::Clear()
{
    m_records.clear();
    m_data.clear();
}

int CPack::AddRecord(const char* name, const void* data, uint32_t size)
{
    if (name == nullptr || std::strlen(name) >= PACK_NAME_SIZE || (data == nullptr && size > 0))
        return 0;
    SPackRecordHeader record = {};
    std::strcpy(record.name, name);
    record.size = size;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    std::vector<uint8_t> copy;
    if (size > 0)
        copy.assign(bytes, bytes + size);
    // Both arrays grow first, so a failed allocation leaves them the same length.
    m_records.reserve(m_records.size() + 1);
    m_data.reserve(m_data.size() + 1);
    m_records.push_back(record);
    m_data.push_back(std::move(copy));
    return 1;
}

int CPack::FindRecord(const char* name) const
{
    if (name == nullptr)
        return -1;
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (IsSameName(m_records[i].name, name))
            return static_cast<int>(i);
    }
    return -1;
}

int CPack::GetRecord(const char* name, const uint8_t** data, uint32_t* size) const
{
    const int index = FindRecord(name);
    if (index < 0)
        return 0;
    *data = GetData(index);
    *size = GetHeader(index).size;
    return 1;
}

const SPackRecordHeader& CPack::GetHeader(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_records.size())
        RaiseInvalidArgument();
    return m_records[static_cast<size_t>(index)];
}

const uint8_t* CPack::GetData(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_data.size())
        RaiseInvalidArgument();
    const std::vector<uint8_t>& bytes = m_data[static_cast<size_t>(index)];
    return bytes.empty() ? nullptr : bytes.data();
}

CPack& GetPack()
{
    return g_Pack;
}

int LoadResourcePack(int resourceId)
{
    // A reload frees the entries the current item pointed into.
    g_itemData = nullptr;
    g_itemSize = 0;
    return g_Pack.Load(resourceId);
}

int FindPackItem(const char* name, const uint8_t** data, uint32_t* size)
{
    const uint8_t* found = nullptr;
    uint32_t foundSize = 0;
    if (!g_Pack.GetRecord(name, &found, &foundSize))
        return 0;
    g_itemData = found;
    g_itemSize = foundSize;
    if (data)
        *data = found;
    if (size)
        *size = foundSize;
    return 1;
}

const uint8_t* GetPackItemData()
{
    return g_itemData;
}

uint32_t GetPackItemSize()
{
    return g_itemSize;
}
