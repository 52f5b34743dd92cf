#pragma once
// Hand-made pictures and pixel probes for the rendering tests: small TGA files
// whose every texel a test chooses, and pixels read back from the window.
#include <cstdint>
#include <functional>
#include <vector>

struct SPixel
{
    int r, g, b;
};

// An uncompressed 24-bit TGA; colour(x, y) gives each texel, y counting up
// from the bottom row (the file's first row).
std::vector<uint8_t> MakeColourTga(int width, int height, const std::function<SPixel(int x, int y)>& colour);

// An uncompressed 8-bit grey TGA (the font sheet's kind); level(x, y) as above.
std::vector<uint8_t> MakeGreyTga(int width, int height, const std::function<uint8_t(int x, int y)>& level);

// A baseline JPEG of samples (rows top first, 1 or 3 per pixel) at quality 100
// without chroma subsampling, so colours survive within a few levels.
std::vector<uint8_t> MakeJpeg(const std::vector<uint8_t>& samples, int width, int height, int components);

// The pixel at (x, row) of RGBA bytes read back bottom-up from a window this wide.
SPixel PixelAt(const std::vector<uint8_t>& pixels, int width, int x, int row);
