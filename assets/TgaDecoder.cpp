#include "assets/TgaDecoder.h"

#include "app/Trace.h"
#include "assets/Pack.h"

namespace {

const size_t TGA_HEADER_SIZE = 18;
const size_t TGA_PALETTE_SIZE = 256 * 3;  // always 256 B, G, R entries, whatever the header says
const uint8_t TGA_TOP_DOWN = 0x20;        // image descriptor bit: first stored row is the top

struct STgaLayout
{
    int width;
    int height;
    int depth;  // bits per stored pixel: 8, 24 or 32
    bool topDown;
    const uint8_t* palette;  // null unless colour-mapped
    const uint8_t* pixels;
};

int ReadShort(const uint8_t* bytes)
{
    return bytes[0] | bytes[1] << 8;
}

// Checks every field this decoder relies on and that the entry holds all the
// bytes they claim.
bool ReadLayout(const uint8_t* data, size_t size, STgaLayout& layout)
{
    if (data == nullptr || size < TGA_HEADER_SIZE)
        return false;
    const uint8_t idLength = data[0];
    const uint8_t colorMapType = data[1];
    const uint8_t imageType = data[2];
    layout.width = ReadShort(data + 12);
    layout.height = ReadShort(data + 14);
    layout.depth = data[16];
    layout.topDown = (data[17] & TGA_TOP_DOWN) != 0;
    if (layout.depth != 8 && layout.depth != 24 && layout.depth != 32)
        return false;
    // 1, 2 and 3 are the uncompressed colour-mapped, true-colour and grey types.
    if (imageType < 1 || imageType > 3)
        return false;
    if (layout.width < MIN_DIB_SIDE || layout.height < MIN_DIB_SIDE)
        return false;
    uint64_t offset = TGA_HEADER_SIZE + idLength;
    layout.palette = nullptr;
    if (layout.depth == 8 && colorMapType != 0) {
        layout.palette = data + offset;
        offset += TGA_PALETTE_SIZE;
    }
    const uint64_t pixelBytes = uint64_t(layout.width) * layout.height * (layout.depth / 8);
    if (offset + pixelBytes > size)
        return false;
    layout.pixels = data + offset;
    return true;
}

void ConvertRow(const STgaLayout& layout, const uint8_t* source, uint8_t* out)
{
    for (int x = 0; x < layout.width; ++x, out += 4) {
        if (layout.depth == 32) {
            out[0] = source[2];
            out[1] = source[1];
            out[2] = source[0];
            out[3] = source[3];
            source += 4;
        } else if (layout.depth == 24) {
            out[0] = source[2];
            out[1] = source[1];
            out[2] = source[0];
            out[3] = 255;
            source += 3;
        } else if (layout.palette != nullptr) {
            const uint8_t* entry = layout.palette + 3 * *source++;
            out[0] = entry[2];
            out[1] = entry[1];
            out[2] = entry[0];
            out[3] = 255;
        } else {
            // Grey is coverage: white, with the grey level as alpha.
            out[0] = out[1] = out[2] = 255;
            out[3] = *source++;
        }
    }
}

}  // namespace

int DecodeTGA(const uint8_t* data, size_t size, CSmartPtr<CDIB32>& image)
{
    image.Reset();
    STgaLayout layout;
    if (!ReadLayout(data, size, layout))
        return 0;
    CSmartPtr<CDIB32> decoded = new CSmartPtrWrap<CDIB32>();
    if (!decoded->Create(layout.width, layout.height))
        return 0;
    const size_t sourceStride = static_cast<size_t>(layout.width) * (layout.depth / 8);
    const size_t stride = static_cast<size_t>(layout.width) * 4;
    for (int row = 0; row < layout.height; ++row) {
        const int memoryRow = layout.topDown ? layout.height - 1 - row : row;
        ConvertRow(layout, layout.pixels + sourceStride * row, decoded->GetBits() + stride * memoryRow);
    }
    image = decoded;
    return 1;
}

int TGAResource2DIB32(const char* name, CSmartPtr<CDIB32>& image)
{
    try {
        const uint8_t* data = nullptr;
        uint32_t size = 0;
        if (!FindPackItem(name, &data, &size)) {
            image.Reset();
            return 0;
        }
        return DecodeTGA(data, size, image);
    } catch (...) {
        AddTrace("TGAResource2DIB32");
        throw;
    }
}
