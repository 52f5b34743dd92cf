#pragma once
// The picture formats the program reads: uncompressed TGA (bottom-left
// origin, TGA 2.0 footer), Windows BMP (24-bit, or 8-bit with a palette) and
// the icon file. A palette is 256 colours; an index image holds one byte per
// pixel, bottom row first.
#include <cstdint>
#include <vector>

#include "Bytes.h"
#include "Image.h"

CBytes EncodeTgaTrueColor(const CImage& image, int bits);  // 24 or 32
CBytes EncodeTgaGrey(const CImage& image);                 // red channel as grey
CBytes EncodeTgaMapped(int width, int height, const std::vector<uint8_t>& indices, const std::vector<SColor>& palette);

CBytes EncodeBmp24(const CImage& image);
CBytes EncodeBmp8(int width, int height, const std::vector<uint8_t>& indices, const std::vector<SColor>& palette);

// One icon file holding each image (square): a 32-bit bitmap with alpha,
// plus the 1-bit mask that older readers use, or at 256 pixels a PNG.
CBytes EncodeIcon(const std::vector<CImage>& images);
// A PNG with alpha, rows top first, for the desktop's icon themes.
CBytes EncodePng(const CImage& image);
