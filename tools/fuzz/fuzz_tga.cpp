// Feeds arbitrary bytes to the TGA decoder.
#include "assets/TgaDecoder.h"
#include "tools/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CSmartPtr<CDIB32> image;
    CheckDecode(DecodeTGA(data, size, image), image);
    return 0;
}
