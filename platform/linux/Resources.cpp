#include "platform/Resources.h"

namespace {

struct SResourceEntry
{
    uint64_t id;
    const uint8_t* data;
    uint64_t size;
};

}  // namespace

// Defined by the generated assembler file of resources/. Weak, so that a test
// linked without the embedded data simply finds no resources.
extern "C" const SResourceEntry g_ResourceTable[] __attribute__((weak));

bool SysFindResource(int id, const uint8_t** data, size_t* size)
{
    if (g_ResourceTable == nullptr || id <= 0)
        return false;
    for (const SResourceEntry* entry = g_ResourceTable; entry->id != 0; ++entry) {
        if (entry->id != static_cast<uint64_t>(id))
            continue;
        *data = entry->data;
        *size = static_cast<size_t>(entry->size);
        return true;
    }
    return false;
}
