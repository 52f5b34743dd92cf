#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "assets/JpegDecoder.h"
#include "tests/support/ScratchPack.h"

namespace {

// Encodes samples (rows top first, 1 or 3 per pixel) at quality 100 without
// chroma subsampling, so colours survive within a few levels.
std::vector<uint8_t> Encode(const std::vector<uint8_t>& samples, int width, int height, int components)
{
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    for (int i = 0; i < info.num_components; ++i)
        info.comp_info[i].h_samp_factor = info.comp_info[i].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(&samples[info.next_scanline * width * components]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

std::vector<uint8_t> Uniform(int width, int height, std::vector<uint8_t> sample)
{
    std::vector<uint8_t> samples;
    for (int i = 0; i < width * height; ++i)
        samples.insert(samples.end(), sample.begin(), sample.end());
    return samples;
}

int Decode(const std::vector<uint8_t>& bytes, CSmartPtr<CDIB32>& image)
{
    CScratchPack pack;
    pack.Add("texture/background.jpg", bytes);
    return JPEGResource2DIB32("texture/background.jpg", image);
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
    ASSERT_EQ(Decode(Encode(Uniform(8, 16, {100}), 8, 16, 1), image), 1);
    EXPECT_EQ(image->GetWidth(), 8);
    EXPECT_EQ(image->GetHeight(), 16);
    ExpectPixelNear(image, 0, 0, 100, 100, 100);
    ExpectPixelNear(image, 7, 15, 100, 100, 100);
}

// A colour picture comes out R, G, B in that byte order, opaque.
TEST(CJpegDecoder, ColourIsOpaqueRgb)
{
    CSmartPtr<CDIB32> image;
    ASSERT_EQ(Decode(Encode(Uniform(16, 8, {200, 40, 90}), 16, 8, 3), image), 1);
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
    ASSERT_EQ(Decode(Encode(samples, 8, 16, 3), image), 1);
    ExpectPixelNear(image, 3, 15, 250, 0, 0);
    ExpectPixelNear(image, 3, 8, 250, 0, 0);
    ExpectPixelNear(image, 3, 7, 0, 0, 250);
    ExpectPixelNear(image, 3, 0, 0, 0, 250);
}

// A picture cut short anywhere is refused, never read past its end.
TEST(CJpegDecoder, RefusesTruncatedPicture)
{
    const std::vector<uint8_t> whole = Encode(Uniform(64, 64, {9, 99, 199}), 64, 64, 3);
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
    EXPECT_EQ(Decode(Encode(Uniform(4, 16, {1}), 4, 16, 1), image), 0);
    EXPECT_FALSE(image);
    CScratchPack pack;
    EXPECT_EQ(JPEGResource2DIB32("missing.jpg", image), 0);
}
