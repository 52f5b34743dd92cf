#include "tests/support/Pictures.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "tests/support/ScratchPack.h"

std::vector<uint8_t> MakeColourTga(int width, int height, const std::function<SPixel(int x, int y)>& colour)
{
    std::vector<uint8_t> file = MakeTgaHeader(2, 0, width, height, 24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const SPixel p = colour(x, y);
            file.push_back(static_cast<uint8_t>(p.b));
            file.push_back(static_cast<uint8_t>(p.g));
            file.push_back(static_cast<uint8_t>(p.r));
        }
    }
    return file;
}

std::vector<uint8_t> MakeGreyTga(int width, int height, const std::function<uint8_t(int x, int y)>& level)
{
    std::vector<uint8_t> file = MakeTgaHeader(3, 0, width, height, 8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            file.push_back(level(x, y));
    return file;
}

SPixel PixelAt(const std::vector<uint8_t>& pixels, int width, int x, int row)
{
    const size_t at = (static_cast<size_t>(row) * width + x) * 4;
    return SPixel{pixels[at], pixels[at + 1], pixels[at + 2]};
}

std::vector<uint8_t> MakeJpeg(const std::vector<uint8_t>& samples, int width, int height, int components)
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
