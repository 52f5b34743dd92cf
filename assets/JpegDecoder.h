#pragma once
// JPEG pictures (grey or colour) into opaque R, G, B, A images, on libjpeg.
// Library errors never leave it as exceptions: they end in a 0 result.
#include <cstddef>
#include <cstdint>

#include "assets/DIB32.h"
#include "fish/SmartPtr.h"

// Decodes the pack entry of that name into a new image and returns 1; returns
// 0, with the image empty, when the entry is missing, damaged or cut short.
// The image has the picture's size or, given a size to fit, the library's
// cheapest reduction (by 2, 4 or 8) that is still at least that large.
int JPEGResource2DIB32(const char* name, CSmartPtr<CDIB32>& image, int fitWidth = 0, int fitHeight = 0);

// The same on bytes in memory.
int DecodeJPEG(const uint8_t* data, size_t size, CSmartPtr<CDIB32>& image, int fitWidth = 0, int fitHeight = 0);
