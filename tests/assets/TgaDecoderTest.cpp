#include <gtest/gtest.h>

#include "assets/TgaDecoder.h"
#include "tests/support/ScratchPack.h"

namespace {

const int W = 8;
const int H = 8;

// Header + pixel bytes; every pixel the same stored value.
std::vector<uint8_t> MakeUniform(uint8_t type, uint8_t depth, std::vector<uint8_t> pixel, int w = W, int h = H)
{
    std::vector<uint8_t> bytes = MakeTgaHeader(type, 0, w, h, depth);
    for (int i = 0; i < w * h; ++i)
        bytes.insert(bytes.end(), pixel.begin(), pixel.end());
    return bytes;
}

// The four bytes of pixel (x, y) counted from the bottom-left in memory.
std::vector<int> Pixel(const CSmartPtr<CDIB32>& image, int x, int y)
{
    const uint8_t* p = image->GetBits() + (static_cast<size_t>(y) * image->GetWidth() + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

int Decode(const std::vector<uint8_t>& bytes, CSmartPtr<CDIB32>& image)
{
    CScratchPack pack;
    pack.Add("picture.tga", bytes);
    return TGAResource2DIB32("picture.tga", image);
}

}  // namespace

// 24 bits: stored B, G, R comes out R, G, B with alpha 255.
TEST(CTgaDecoder, TrueColour24IsOpaqueRgb)
{
    CSmartPtr<CDIB32> image;
    ASSERT_EQ(Decode(MakeUniform(2, 24, {10, 20, 30}), image), 1);
    EXPECT_EQ(image->GetWidth(), W);
    EXPECT_EQ(image->GetHeight(), H);
    EXPECT_EQ(Pixel(image, 0, 0), (std::vector<int>{30, 20, 10, 255}));
    EXPECT_EQ(Pixel(image, W - 1, H - 1), (std::vector<int>{30, 20, 10, 255}));
}

// 32 bits: the file's alpha survives.
TEST(CTgaDecoder, TrueColour32KeepsAlpha)
{
    CSmartPtr<CDIB32> image;
    ASSERT_EQ(Decode(MakeUniform(2, 32, {10, 20, 30, 77}), image), 1);
    EXPECT_EQ(Pixel(image, 3, 5), (std::vector<int>{30, 20, 10, 77}));
}

// Grey is coverage: white with the grey level as alpha.
TEST(CTgaDecoder, GreyBecomesWhiteWithAlpha)
{
    CSmartPtr<CDIB32> image;
    ASSERT_EQ(Decode(MakeUniform(3, 8, {200}), image), 1);
    EXPECT_EQ(Pixel(image, 7, 0), (std::vector<int>{255, 255, 255, 200}));
}

// Indices pick from a 256-entry B, G, R palette, whatever length the header gives.
TEST(CTgaDecoder, ColourMappedUsesFullPalette)
{
    std::vector<uint8_t> bytes = MakeTgaHeader(1, 1, W, H, 8);
    bytes[5] = 16;  // colour-map length: ignored
    for (int i = 0; i < 256; ++i) {
        bytes.push_back(static_cast<uint8_t>(i));
        bytes.push_back(static_cast<uint8_t>(255 - i));
        bytes.push_back(7);
    }
    for (int i = 0; i < W * H; ++i)
        bytes.push_back(i == 0 ? 200 : 3);
    CSmartPtr<CDIB32> image;
    ASSERT_EQ(Decode(bytes, image), 1);
    EXPECT_EQ(Pixel(image, 0, 0), (std::vector<int>{7, 55, 200, 255}));
    EXPECT_EQ(Pixel(image, 1, 0), (std::vector<int>{7, 252, 3, 255}));
}

// The file's first row is the bottom row; the image-ID field is skipped.
TEST(CTgaDecoder, FirstFileRowIsBottomRow)
{
    std::vector<uint8_t> bytes = MakeTgaHeader(2, 0, W, H, 24, 0, 3);
    bytes.insert(bytes.end(), {'I', 'D', '!'});
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            bytes.insert(bytes.end(), {0, 0, static_cast<uint8_t>(y == 0 ? 255 : 0)});
    CSmartPtr<CDIB32> image;
    ASSERT_EQ(Decode(bytes, image), 1);
    for (int x = 0; x < W; ++x)
        EXPECT_EQ(Pixel(image, x, 0), (std::vector<int>{255, 0, 0, 255}));
    for (int y = 1; y < H; ++y)
        EXPECT_EQ(Pixel(image, 4, y), (std::vector<int>{0, 0, 0, 255})) << y;
}

// A picture stored top row first still stands upright.
TEST(CTgaDecoder, TopLeftOriginIsFlipped)
{
    std::vector<uint8_t> bytes = MakeTgaHeader(3, 0, W, H, 8, 0x20);
    for (int y = 0; y < H; ++y)
        bytes.insert(bytes.end(), W, static_cast<uint8_t>(y == 0 ? 99 : 0));
    CSmartPtr<CDIB32> image;
    ASSERT_EQ(Decode(bytes, image), 1);
    EXPECT_EQ(Pixel(image, 2, H - 1)[3], 99);
    EXPECT_EQ(Pixel(image, 2, 0)[3], 0);
}

// Pictures this decoder cannot read in full are refused and leave no image.
TEST(CTgaDecoder, RefusesUnreadablePictures)
{
    std::vector<uint8_t> paletteShort = MakeTgaHeader(1, 1, W, H, 8);
    paletteShort.resize(18 + 768 + W * H - 1);
    std::vector<uint8_t> pixelsShort = MakeUniform(2, 32, {1, 2, 3, 4});
    pixelsShort.pop_back();
    std::vector<uint8_t> idShort = MakeUniform(3, 8, {1});
    idShort[0] = 1;
    std::vector<uint8_t> headerShort = MakeTgaHeader(2, 0, W, H, 24);
    headerShort.pop_back();
    struct SCase
    {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    const SCase cases[] = {
        {"16-bit", MakeUniform(2, 16, {1, 2})},
        {"run-length", MakeUniform(10, 24, {1, 2, 3})},
        {"no image data type", MakeUniform(0, 24, {1, 2, 3})},
        {"zero width", MakeUniform(2, 24, {1, 2, 3}, 0, H)},
        {"zero height", MakeUniform(2, 24, {1, 2, 3}, W, 0)},
        {"narrower than 8", MakeUniform(2, 24, {1, 2, 3}, 4, H)},
        {"palette cut short", paletteShort},
        {"pixels cut short", pixelsShort},
        {"ID field pushes pixels past the end", idShort},
        {"header cut short", headerShort},
        {"empty entry", {}},
    };
    for (const SCase& c : cases) {
        CSmartPtr<CDIB32> image = new CSmartPtrWrap<CDIB32>();
        EXPECT_EQ(Decode(c.bytes, image), 0) << c.what;
        EXPECT_FALSE(image) << c.what;
    }
}

// A name missing from the pack is a 0 result, not an exception.
TEST(CTgaDecoder, MissingEntryFails)
{
    CScratchPack pack;
    CSmartPtr<CDIB32> image;
    EXPECT_EQ(TGAResource2DIB32("nothing.tga", image), 0);
    EXPECT_FALSE(image);
}
