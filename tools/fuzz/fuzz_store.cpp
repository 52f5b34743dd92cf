// Feeds arbitrary text to the per-user store's reader; a value written into
// whatever it read comes back the same after the text is written and read.
#include <cstdlib>
#include <string_view>

#include "platform/linux/StoreDocument.h"

namespace {
const char KEY[] = "Software\\Quillworth Software\\Coralux Screensaver";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CStoreDocument document(std::string_view(reinterpret_cast<const char*>(data), size));
    SStoreValue value;
    document.FindValue(KEY, "Fade", &value);
    if (!document.SetDword(KEY, "Fade", 42))
        std::abort();
    const CStoreDocument again(document.Format());
    if (!again.FindValue(KEY, "Fade", &value) || value.data.size() != 4 || value.data[0] != 42)
        std::abort();
    return 0;
}
