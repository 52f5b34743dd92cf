// Feeds arbitrary bytes to the pack loader, then finds every entry it
// accepted by its own name and reaches the end of its bytes.
#include "assets/Pack.h"
#include "tools/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CPack pack;
    if (!pack.LoadFromMemory(data, size))
        return 0;
    for (int i = 0; i < pack.GetCount(); ++i) {
        const SPackRecordHeader& header = pack.GetHeader(i);
        const int found = pack.FindRecord(header.name);
        const uint8_t* entry = nullptr;
        uint32_t entrySize = 0;
        if (found < 0 || found > i || !pack.GetRecord(header.name, &entry, &entrySize) || entrySize > size)
            std::abort();
        TouchLastByte(entry, entrySize);
    }
    return 0;
}
