#include "tests/support/Pictures.h"

#include "tests/support/ScratchPack.h"

std::vector<uint8_t> MakeColourTga(int width, int height, const std::function<SPixel(int x, int y)>& colour)
{
    std::vector<uint8_t> file = MakeTgaHeader(2, 0, width, height, 24);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
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
