// Bitmaps decoded from the embedded BMP data into plain RGB pixels, scaled
// once at load, and put into X windows with the window's own visual.
#include "platform/Bitmap.h"

#include <X11/Xutil.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/Resources.h"
#include "platform/linux/XSession.h"

namespace {

struct SBitmap
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBB, rows top down
};

const size_t FILE_HEADER_SIZE = 14;
const size_t INFO_HEADER_SIZE = 40;  // BITMAPINFOHEADER; later versions only add fields
const int MAX_EDGE = 16384;          // larger than any picture of ours; keeps sizes from overflowing

uint32_t ReadU32(const uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t ReadU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// Uncompressed 8-bit (palette) and 24-bit BMP, either row order; false for
// anything else or any field that points outside the data.
bool DecodeBmp(const uint8_t* data, size_t size, SBitmap* out)
{
    if (size < FILE_HEADER_SIZE + INFO_HEADER_SIZE || data[0] != 'B' || data[1] != 'M')
        return false;
    const uint8_t* info = data + FILE_HEADER_SIZE;
    const uint32_t infoSize = ReadU32(info);
    const int32_t width = static_cast<int32_t>(ReadU32(info + 4));
    const int32_t rawHeight = static_cast<int32_t>(ReadU32(info + 8));
    const int bits = ReadU16(info + 14);
    const uint32_t compression = ReadU32(info + 16);
    uint32_t colours = ReadU32(info + 32);
    const uint32_t pixelOffset = ReadU32(data + 10);
    if (infoSize < INFO_HEADER_SIZE || compression != 0 || (bits != 8 && bits != 24))
        return false;
    if (width <= 0 || width > MAX_EDGE || rawHeight == 0 || std::abs(rawHeight) > MAX_EDGE)
        return false;
    const int height = std::abs(rawHeight);
    const bool bottomUp = rawHeight > 0;

    const uint8_t* palette = data + FILE_HEADER_SIZE + infoSize;
    if (bits == 8) {
        if (colours == 0 || colours > 256)
            colours = 256;
        if (FILE_HEADER_SIZE + infoSize + 4ull * colours > size)
            return false;
    }
    const size_t stride = (static_cast<size_t>(width) * bits / 8 + 3) & ~size_t(3);
    if (pixelOffset > size || stride * height > size - pixelOffset)
        return false;

    out->width = width;
    out->height = height;
    out->pixels.assign(static_cast<size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = data + pixelOffset + stride * (bottomUp ? height - 1 - y : y);
        uint32_t* target = &out->pixels[static_cast<size_t>(y) * width];
        for (int x = 0; x < width; ++x) {
            const uint8_t* bgr = bits == 24 ? row + 3 * x : (row[x] < colours ? palette + 4 * row[x] : nullptr);
            target[x] = bgr ? (bgr[2] << 16) | (bgr[1] << 8) | bgr[0] : 0;
        }
    }
    return true;
}

// Each target pixel is the mean of the source pixels under it, so a picture
// made smaller keeps its fine detail as shading rather than dropping rows.
SBitmap Scale(const SBitmap& source, int width, int height)
{
    SBitmap target;
    target.width = width;
    target.height = height;
    target.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const int y0 = static_cast<int>(static_cast<int64_t>(y) * source.height / height);
        const int y1 =
            std::max(y0 + 1, static_cast<int>((static_cast<int64_t>(y + 1) * source.height + height - 1) / height));
        for (int x = 0; x < width; ++x) {
            const int x0 = static_cast<int>(static_cast<int64_t>(x) * source.width / width);
            const int x1 =
                std::max(x0 + 1, static_cast<int>((static_cast<int64_t>(x + 1) * source.width + width - 1) / width));
            uint32_t sum[3] = {0, 0, 0};
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx) {
                    const uint32_t pixel = source.pixels[static_cast<size_t>(sy) * source.width + sx];
                    sum[0] += pixel >> 16;
                    sum[1] += (pixel >> 8) & 0xFF;
                    sum[2] += pixel & 0xFF;
                }
            }
            const uint32_t count = static_cast<uint32_t>((y1 - y0) * (x1 - x0));
            target.pixels[static_cast<size_t>(y) * width + x] = ((sum[0] + count / 2) / count << 16) |
                                                                ((sum[1] + count / 2) / count << 8) |
                                                                (sum[2] + count / 2) / count;
        }
    }
    return target;
}

// A channel of 8 bits placed under a TrueColor visual's mask.
unsigned long PlaceChannel(uint32_t value, unsigned long mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    const unsigned long top = mask >> shift;
    return ((value * top + 127) / 255) << shift;
}

}  // namespace

HBitmap SysLoadBitmap(int id, int width, int height)
{
    const uint8_t* data = nullptr;
    size_t size = 0;
    auto bitmap = std::make_unique<SBitmap>();
    if (!SysFindResource(id, &data, &size) || !DecodeBmp(data, size, bitmap.get()))
        return 0;
    if (width > 0 && height > 0 && width <= MAX_EDGE && height <= MAX_EDGE &&
        (width != bitmap->width || height != bitmap->height))
        *bitmap = Scale(*bitmap, width, height);
    return reinterpret_cast<HBitmap>(bitmap.release());
}

void SysDeleteBitmap(HBitmap bitmap)
{
    delete reinterpret_cast<SBitmap*>(bitmap);
}

bool SysDrawBitmap(HWindow window, HBitmap handle, int width, int height)
{
    const SBitmap* bitmap = reinterpret_cast<const SBitmap*>(handle);
    Display* display = GetXDisplay();
    XWindowAttributes attributes = {};
    if (!bitmap || !display || !DoesXWindowExist(window) || !XGetWindowAttributes(display, window, &attributes))
        return false;
    width = std::min(width, bitmap->width);
    height = std::min(height, bitmap->height);
    if (width <= 0 || height <= 0)
        return true;
    XImage* image =
        XCreateImage(display, attributes.visual, attributes.depth, ZPixmap, 0, nullptr, width, height, 32, 0);
    if (!image)
        return false;
    image->data = static_cast<char*>(std::malloc(static_cast<size_t>(image->bytes_per_line) * height));
    if (!image->data) {
        XDestroyImage(image);
        return false;
    }
    const Visual* visual = attributes.visual;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t rgb = bitmap->pixels[static_cast<size_t>(y) * bitmap->width + x];
            XPutPixel(image, x, y,
                      PlaceChannel(rgb >> 16, visual->red_mask) | PlaceChannel((rgb >> 8) & 0xFF, visual->green_mask) |
                          PlaceChannel(rgb & 0xFF, visual->blue_mask));
        }
    }
    GC gc = XCreateGC(display, window, 0, nullptr);
    XPutImage(display, window, gc, image, 0, 0, 0, 0, width, height);
    XFreeGC(display, gc);
    XDestroyImage(image);  // frees the pixel data too
    XFlush(display);
    return true;
}
