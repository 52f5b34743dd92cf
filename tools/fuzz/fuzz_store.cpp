// Feeds arbitrary bytes to the per-user store's reader; a value written into
// whatever it read comes back the same after the text is written and read,
// and the written text begins as regedit's files do.
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "platform/linux/StoreDocument.h"
#include "platform/linux/StoreText.h"

namespace {

const char KEY[] = "Software\\Quillworth Software\\Coralux Screensaver";

bool BeginsWithHeader(std::string_view text)
{
    std::string_view line = text.substr(0, text.find('\n'));
    line.remove_prefix(std::min(line.find_first_not_of(" \t\r"), line.size()));
    line = line.substr(0, line.find_last_not_of(" \t\r") + 1);
    return line == "Windows Registry Editor Version 5.00" || line == "REGEDIT4";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CStoreDocument document(DecodeStoreText(std::string_view(reinterpret_cast<const char*>(data), size)));
    SStoreValue value;
    document.FindValue(KEY, "Fade", &value);
    if (!document.SetDword(KEY, "Fade", 0x12345678))
        std::abort();
    const std::string text = document.Format();
    const CStoreDocument again(text);
    if (!BeginsWithHeader(text) || !again.FindValue(KEY, "Fade", &value) || value.data.size() != 4 ||
        value.data[0] != 0x78 || value.data[3] != 0x12)
        std::abort();
    return 0;
}
