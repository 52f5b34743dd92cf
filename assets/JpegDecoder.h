#pragma once
// JPEG pictures (grey or colour) into opaque R, G, B, A images, on libjpeg.
// Library errors never leave it as exceptions: they end in a 0 result.
#include <cstddef>
#include <cstdint>

#include "assets/DIB32.h"
#include "fish/SmartPtr.h"

// Decodes the pack entry of that name into a new image of the picture's size
// and returns 1; returns 0, with the image empty, when the entry is missing,
// damaged or cut short.
int JPEGResource2DIB32(const char* name, CSmartPtr<CDIB32>& image);

// The same on bytes in memory.
int DecodeJPEG(const uint8_t* data, size_t size, CSmartPtr<CDIB32>& image);
