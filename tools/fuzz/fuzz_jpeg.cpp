// Feeds arbitrary bytes to the JPEG decoder.
#include "assets/JpegDecoder.h"
#include "tools/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CSmartPtr<CDIB32> image;
    CheckDecode(DecodeJPEG(data, size, image), image);
    return 0;
}
