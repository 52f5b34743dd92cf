#include <gtest/gtest.h>

#include "assets/JpegDecoder.h"
#include "tests/support/Pictures.h"
#include "tests/support/ScratchPack.h"

namespace {

std::vector<uint8_t> Uniform(int width, int height, std::vector<uint8_t> sample)
{
    std::vector<uint8_t> samples;
    for (int i = 0; i < width * height; ++i)
        samples.insert(samples.end(), sample.begin(), sample.end());
    return samples;
}

int Decode(const std::vector<uint8_t>& bytes, CSmartPtr<CDIB32>& image, int fitWidth = 0, int fitHeight = 0)
{
    CScratchPack pack;
    pack.Add("texture/background.jpg", bytes);
    return JPEGResource2DIB32("texture/background.jpg", image, fitWidth, fitHeight);
}

void ExpectPixelNear(const CSmartPtr<CDIB32>& image, int x, int y, int r, int g, int b)
{
    const uint8_t* p = image->GetBits() + (static_cast<size_t>(y) * image->GetWidth() + x) * 4;
    EXPECT_NEAR(p[0], r, 3) << x << "," << y;
    EXPECT_NEAR(p[1], g, 3) << x << "," << y;
    EXPECT_NEAR(p[2], b, 3) << x << "," << y;
    EXPECT_EQ(p[3], 255) << x << "," << y;
}

}  // namespace

// A grey picture comes out as opaque grey of the same level.
TEST(CJpegDecoder, GreyIsOpaqueGrey)
{
    CSmartPtr<CDIB32> image;
    ASSERT_EQ(Decode(MakeJpeg(Uniform(8, 16, {100}), 8, 16, 1), image), 1);
    EXPECT_EQ(image->GetWidth(), 8);
    EXPECT_EQ(image->GetHeight(), 16);
    ExpectPixelNear(image, 0, 0, 100, 100, 100);
    ExpectPixelNear(image, 7, 15, 100, 100, 100);
}

// A colour picture comes out R, G, B in that byte order, opaque.
TEST(CJpegDecoder, ColourIsOpaqueRgb)
{
    CSmartPtr<CDIB32> image;
    ASSERT_EQ(Decode(MakeJpeg(Uniform(16, 8, {200, 40, 90}), 16, 8, 3), image), 1);
    EXPECT_EQ(image->GetWidth(), 16);
    ExpectPixelNear(image, 0, 0, 200, 40, 90);
    ExpectPixelNear(image, 15, 7, 200, 40, 90);
}

// The top scanline lands in the last memory row, so the picture stands upright.
TEST(CJpegDecoder, TopScanlineIsLastRow)
{
    std::vector<uint8_t> samples = Uniform(8, 8, {250, 0, 0});
    const std::vector<uint8_t> bottom = Uniform(8, 8, {0, 0, 250});
    samples.insert(samples.end(), bottom.begin(), bottom.end());
    CSmartPtr<CDIB32> image;
    ASSERT_EQ(Decode(MakeJpeg(samples, 8, 16, 3), image), 1);
    ExpectPixelNear(image, 3, 15, 250, 0, 0);
    ExpectPixelNear(image, 3, 8, 250, 0, 0);
    ExpectPixelNear(image, 3, 7, 0, 0, 250);
    ExpectPixelNear(image, 3, 0, 0, 0, 250);
}

// Asked to fit a size, a 64 x 64 picture is halved on each axis as long as
// it stays at least that large: 16 x 16 for 16 x 16 or 16 x 9, 32 x 32 for
// 17 x 17, 8 x 64 for 8 x 40, its own size for no size, and a whole 8 x 8
// image at the least, for 2 x 2. Its colour survives.
TEST(CJpegDecoder, ReducesToTheSizeAsked)
{
    const std::vector<uint8_t> bytes = MakeJpeg(Uniform(64, 64, {9, 99, 199}), 64, 64, 3);
    const struct
    {
        int fitWidth, fitHeight, width, height;
    } cases[] = {{16, 16, 16, 16}, {16, 9, 16, 16}, {17, 17, 32, 32}, {8, 40, 8, 64}, {0, 0, 64, 64}, {2, 2, 8, 8}};
    for (const auto& c : cases) {
        CSmartPtr<CDIB32> image;
        ASSERT_EQ(Decode(bytes, image, c.fitWidth, c.fitHeight), 1);
        ASSERT_EQ(image->GetWidth(), c.width) << c.fitWidth << "x" << c.fitHeight;
        ASSERT_EQ(image->GetHeight(), c.height) << c.fitWidth << "x" << c.fitHeight;
        ExpectPixelNear(image, 0, 0, 9, 99, 199);
        ExpectPixelNear(image, c.width - 1, c.height - 1, 9, 99, 199);
    }
}

// Asked to fit 8 x 8, a 64 x 32 picture is reduced 8 times across and 4 times
// up, a 32 x 64 one 4 times across and 8 times up: each axis on its own, the
// library's reduction first. Each pixel is about the mean of the m x r it
// stands for: with pixel (x, y) of the picture (2x, 4y, 50), counting rows
// from the top, that is (2mi + m - 1, 4rj + 2(r - 1), 50) in row j from the top.
TEST(CJpegDecoder, ReducesEachAxisOnItsOwn)
{
    const struct
    {
        int width, height;
    } pictures[] = {{64, 32}, {32, 64}};
    for (const auto& picture : pictures) {
        std::vector<uint8_t> samples;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                samples.insert(samples.end(), {uint8_t(2 * x), uint8_t(4 * y), 50});
        CSmartPtr<CDIB32> image;
        ASSERT_EQ(Decode(MakeJpeg(samples, picture.width, picture.height, 3), image, 8, 8), 1);
        ASSERT_EQ(image->GetWidth(), 8) << picture.width;
        ASSERT_EQ(image->GetHeight(), 8) << picture.width;
        const int m = picture.width / 8, r = picture.height / 8;
        for (int j = 0; j < 8; ++j)
            for (int i = 0; i < 8; ++i)
                ExpectPixelNear(image, i, 7 - j, 2 * m * i + m - 1, 4 * r * j + 2 * (r - 1), 50);
    }
}

// A picture cut short anywhere is refused, never read past its end.
TEST(CJpegDecoder, RefusesTruncatedPicture)
{
    const std::vector<uint8_t> whole = MakeJpeg(Uniform(64, 64, {9, 99, 199}), 64, 64, 3);
    for (size_t keep : {size_t(1), size_t(20), whole.size() / 2, whole.size() - 2}) {
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + keep);
        CSmartPtr<CDIB32> image;
        EXPECT_EQ(Decode(cut, image), 0) << keep;
        EXPECT_FALSE(image) << keep;
    }
}

// Bytes that are no JPEG, an empty entry, a picture narrower than 8 pixels
// and a missing name all give 0 and no image.
TEST(CJpegDecoder, RefusesNonPictures)
{
    CSmartPtr<CDIB32> image = new CSmartPtrWrap<CDIB32>();
    EXPECT_EQ(Decode(MakeTgaHeader(2, 0, 8, 8, 16), image), 0);
    EXPECT_FALSE(image);
    EXPECT_EQ(Decode({}, image), 0);
    EXPECT_EQ(Decode(MakeJpeg(Uniform(4, 16, {1}), 4, 16, 1), image), 0);
    EXPECT_FALSE(image);
    CScratchPack pack;
    EXPECT_EQ(JPEGResource2DIB32("missing.jpg", image), 0);
}
