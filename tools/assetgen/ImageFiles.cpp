#include "ImageFiles.h"

#include <png.h>

namespace {

const int TGA_COLOR_MAPPED = 1;
const int TGA_TRUE_COLOR = 2;
const int TGA_GREY = 3;

void PutTgaHeader(CBytes& out, int mapType, int imageType, int width, int height, int bits, int alphaBits)
{
    out.PutU8(0);  // no image ID
    out.PutU8(mapType);
    out.PutU8(imageType);
    out.PutU16(0);                  // first palette entry
    out.PutU16(mapType ? 256 : 0);  // palette length
    out.PutU8(mapType ? 24 : 0);    // palette entry size
    out.PutU16(0);                  // x origin
    out.PutU16(0);                  // y origin
    out.PutU16(width);
    out.PutU16(height);
    out.PutU8(bits);
    out.PutU8(alphaBits);  // bit 5 clear: bottom-left origin
}

void PutTgaFooter(CBytes& out)
{
    out.PutU32(0);  // no extension area
    out.PutU32(0);  // no developer area
    out.PutText("TRUEVISION-XFILE.");
    out.PutU8(0);
}

void PutPaletteBgr(CBytes& out, const std::vector<SColor>& palette, bool padded)
{
    for (int i = 0; i < 256; ++i) {
        const SColor c = i < static_cast<int>(palette.size()) ? palette[i] : SColor{};
        out.PutU8(ToByte(c.b));
        out.PutU8(ToByte(c.g));
        out.PutU8(ToByte(c.r));
        if (padded)
            out.PutU8(0);
    }
}

const int BMP_FILE_HEADER = 14;
const int BMP_INFO_HEADER = 40;

void PutBmpInfoHeader(CBytes& out, int width, int height, int bits, uint32_t imageSize, int colors)
{
    out.PutU32(BMP_INFO_HEADER);
    out.PutU32(width);
    out.PutU32(height);  // positive: bottom-up rows
    out.PutU16(1);       // planes
    out.PutU16(bits);
    out.PutU32(0);  // BI_RGB
    out.PutU32(imageSize);
    out.PutU32(2835);  // 72 dpi
    out.PutU32(2835);
    out.PutU32(colors);
    out.PutU32(0);
}

void PutBmpFileHeader(CBytes& out, uint32_t fileSize, uint32_t dataOffset)
{
    out.PutText("BM");
    out.PutU32(fileSize);
    out.PutU32(0);
    out.PutU32(dataOffset);
}

int RowStride(int width, int bits)
{
    return ((width * bits + 31) / 32) * 4;
}

}  // namespace

CBytes EncodeTgaTrueColor(const CImage& image, int bits)
{
    CBytes out;
    PutTgaHeader(out, 0, TGA_TRUE_COLOR, image.GetWidth(), image.GetHeight(), bits, bits == 32 ? 8 : 0);
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            const SColor& c = image.At(x, y);
            out.PutU8(ToByte(c.b));
            out.PutU8(ToByte(c.g));
            out.PutU8(ToByte(c.r));
            if (bits == 32)
                out.PutU8(ToByte(c.a));
        }
    }
    PutTgaFooter(out);
    return out;
}

CBytes EncodeTgaGrey(const CImage& image)
{
    CBytes out;
    PutTgaHeader(out, 0, TGA_GREY, image.GetWidth(), image.GetHeight(), 8, 0);
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            out.PutU8(ToByte(image.At(x, y).r));
    PutTgaFooter(out);
    return out;
}

CBytes EncodeTgaMapped(int width, int height, const std::vector<uint8_t>& indices, const std::vector<SColor>& palette)
{
    CBytes out;
    PutTgaHeader(out, 1, TGA_COLOR_MAPPED, width, height, 8, 0);
    PutPaletteBgr(out, palette, false);
    for (uint8_t index : indices)
        out.PutU8(index);
    PutTgaFooter(out);
    return out;
}

CBytes EncodeBmp24(const CImage& image)
{
    const int stride = RowStride(image.GetWidth(), 24);
    const uint32_t imageSize = stride * image.GetHeight();
    const uint32_t offset = BMP_FILE_HEADER + BMP_INFO_HEADER;
    CBytes out;
    PutBmpFileHeader(out, offset + imageSize, offset);
    PutBmpInfoHeader(out, image.GetWidth(), image.GetHeight(), 24, imageSize, 0);
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            const SColor& c = image.At(x, y);
            out.PutU8(ToByte(c.b));
            out.PutU8(ToByte(c.g));
            out.PutU8(ToByte(c.r));
        }
        for (int pad = image.GetWidth() * 3; pad < stride; ++pad)
            out.PutU8(0);
    }
    return out;
}

CBytes EncodeBmp8(int width, int height, const std::vector<uint8_t>& indices, const std::vector<SColor>& palette)
{
    const int stride = RowStride(width, 8);
    const uint32_t imageSize = stride * height;
    const uint32_t offset = BMP_FILE_HEADER + BMP_INFO_HEADER + 256 * 4;
    CBytes out;
    PutBmpFileHeader(out, offset + imageSize, offset);
    PutBmpInfoHeader(out, width, height, 8, imageSize, 256);
    PutPaletteBgr(out, palette, true);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            out.PutU8(indices[y * width + x]);
        for (int pad = width; pad < stride; ++pad)
            out.PutU8(0);
    }
    return out;
}

namespace {

const int LARGE_ICON = 256;  // pixels; held as a PNG, as Windows Vista and later read it

// One icon entry as a bitmap: colour rows, then mask rows, under a header
// that states twice the height.
CBytes EncodeIconBitmap(const CImage& image)
{
    const int size = image.GetWidth();
    const int maskStride = RowStride(size, 1);
    CBytes body;
    PutBmpInfoHeader(body, size, size * 2, 32, size * size * 4 + maskStride * size, 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const SColor& c = image.At(x, y);
            body.PutU8(ToByte(c.b));
            body.PutU8(ToByte(c.g));
            body.PutU8(ToByte(c.r));
            body.PutU8(ToByte(c.a));
        }
    }
    for (int y = 0; y < size; ++y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < size; ++x)
            if (ToByte(image.At(x, y).a) < 128)
                row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        for (uint8_t byte : row)
            body.PutU8(byte);
    }
    return body;
}

}  // namespace

CBytes EncodeIcon(const std::vector<CImage>& images)
{
    const int ICON_DIR = 6;
    const int ICON_ENTRY = 16;
    std::vector<CBytes> bodies;
    for (const CImage& image : images)
        bodies.push_back(image.GetWidth() >= LARGE_ICON ? EncodePng(image) : EncodeIconBitmap(image));
    CBytes out;
    out.PutU16(0);
    out.PutU16(1);  // icon
    out.PutU16(static_cast<uint32_t>(images.size()));
    uint32_t offset = ICON_DIR + ICON_ENTRY * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].GetWidth();
        // A size of 256 is written as 0: the field holds one byte.
        out.PutU8(size >= LARGE_ICON ? 0 : size);
        out.PutU8(size >= LARGE_ICON ? 0 : size);
        out.PutU8(0);  // no palette
        out.PutU8(0);
        out.PutU16(1);   // planes
        out.PutU16(32);  // bits
        out.PutU32(static_cast<uint32_t>(bodies[i].GetSize()));
        out.PutU32(offset);
        offset += static_cast<uint32_t>(bodies[i].GetSize());
    }
    for (const CBytes& body : bodies)
        out.Append(body);
    return out;
}

CBytes EncodePng(const CImage& image)
{
    const int width = image.GetWidth(), height = image.GetHeight();
    std::vector<uint8_t> rgba;
    rgba.reserve(static_cast<size_t>(width) * height * 4);
    // Our rows run bottom up; a PNG's run top down.
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const SColor& c = image.At(x, y);
            for (double channel : {c.r, c.g, c.b, c.a})
                rgba.push_back(static_cast<uint8_t>(ToByte(channel)));
        }
    }
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    png.width = width;
    png.height = height;
    png.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    std::vector<uint8_t> encoded;
    if (png_image_write_get_memory_size(png, size, 0, rgba.data(), 0, nullptr)) {
        encoded.resize(size);
        png_image_write_to_memory(&png, encoded.data(), &size, 0, rgba.data(), 0, nullptr);
        encoded.resize(size);
    }
    CBytes out;
    for (uint8_t byte : encoded)
        out.PutU8(byte);
    return out;
}
