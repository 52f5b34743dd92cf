#pragma once
// Uncompressed TGA pictures (8-bit grey, 8-bit colour-mapped with a 256-entry
// 24-bit palette, 24- and 32-bit true colour) into R, G, B, A images. Not a
// general TGA reader: run-length and 16-bit pictures are refused.
#include <cstddef>
#include <cstdint>

#include "assets/DIB32.h"
#include "fish/SmartPtr.h"

// Decodes the pack entry of that name into a new image of the picture's size
// and returns 1; returns 0, with the image empty, when the entry is missing
// or not a picture this reads in full.
int TGAResource2DIB32(const char* name, CSmartPtr<CDIB32>& image);

// The same on bytes in memory.
int DecodeTGA(const uint8_t* data, size_t size, CSmartPtr<CDIB32>& image);
