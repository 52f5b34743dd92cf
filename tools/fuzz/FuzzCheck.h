#pragma once
// What every fuzz target checks besides the sanitizers: results that
// contradict each other abort, so libFuzzer keeps the input.
#include <cstdint>
#include <cstdlib>

#include "assets/DIB32.h"
#include "fish/SmartPtr.h"

// Touches the last byte of a block, so a block shorter than claimed trips
// AddressSanitizer.
inline void TouchLastByte(const uint8_t* data, size_t size)
{
    if (size == 0)
        return;
    volatile uint8_t last = data[size - 1];
    (void)last;
}

// A failed decode leaves no image; a successful one holds all its pixels.
inline void CheckDecode(int result, const CSmartPtr<CDIB32>& image)
{
    if (!result) {
        if (image)
            std::abort();
        return;
    }
    if (!image || image->GetWidth() < MIN_DIB_SIDE || image->GetHeight() < MIN_DIB_SIDE)
        std::abort();
    TouchLastByte(image->GetBits(), static_cast<size_t>(image->GetWidth()) * image->GetHeight() * 4);
}
