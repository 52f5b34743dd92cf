#include "JpegFile.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include <jpeglib.h>

CBytes EncodeJpeg(const CImage& image, int quality)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = image.GetWidth();
    info.image_height = image.GetHeight();
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.optimize_coding = TRUE;  // still baseline: only the Huffman tables are tuned
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(image.GetWidth() * 3);
    // JPEG stores the top row first; the image keeps the bottom row first.
    while (info.next_scanline < info.image_height) {
        const int y = image.GetHeight() - 1 - static_cast<int>(info.next_scanline);
        for (int x = 0; x < image.GetWidth(); ++x) {
            row[3 * x] = static_cast<unsigned char>(ToByte(image.At(x, y).r));
            row[3 * x + 1] = static_cast<unsigned char>(ToByte(image.At(x, y).g));
            row[3 * x + 2] = static_cast<unsigned char>(ToByte(image.At(x, y).b));
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    CBytes out;
    for (unsigned long i = 0; i < size; ++i)
        out.PutU8(buffer[i]);
    std::free(buffer);
    return out;
}

CImage LoadJpeg(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty()) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        std::exit(1);
    }
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);  // the default error exit ends the program with a message
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), bytes.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    CImage image(info.output_width, info.output_height);
    std::vector<unsigned char> row(info.output_width * 3);
    while (info.output_scanline < info.output_height) {
        const int y = image.GetHeight() - 1 - static_cast<int>(info.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        for (int x = 0; x < image.GetWidth(); ++x)
            image.At(x, y) = SColor{row[3 * x] / 255.0, row[3 * x + 1] / 255.0, row[3 * x + 2] / 255.0, 1};
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}
