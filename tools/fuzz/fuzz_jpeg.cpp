// Feeds arbitrary bytes to the JPEG decoder, at the picture's own size and
// reduced to fit a small window (the library's scaling, then the averaging
// of blocks of rows and columns).
#include "assets/JpegDecoder.h"
#include "tools/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CSmartPtr<CDIB32> image;
    CheckDecode(DecodeJPEG(data, size, image), image);
    CheckDecode(DecodeJPEG(data, size, image, 16, 8), image);
    return 0;
}
