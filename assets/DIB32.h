#pragma once
// A 32-bit image: rows of width x 4 bytes with no gap, bottom row first (the
// order OpenGL takes texture rows in). The decoders fill it with R, G, B, A;
// a screen copy holds B, G, R, 0. Made inside a CSmartPtrWrap and shared
// through CSmartPtr. Not a drawing surface: nothing draws into it but us.
#include <cstdint>
#include <memory>

const int MIN_DIB_SIDE = 8;
// Larger than any texture GL gives us, and than an 8K desktop (33 M pixels).
const int MAX_DIB_SIDE = 16384;
const int64_t MAX_DIB_PIXELS = int64_t(1) << 26;

class CDIB32
{
public:
    CDIB32() = default;
    CDIB32(const CDIB32&) = delete;
    CDIB32& operator=(const CDIB32&) = delete;
    virtual ~CDIB32() = default;

    // Makes room for width x height pixels, each side raised to at least 8.
    // The pixels are not cleared. Returns false, keeping the old pixels, when
    // a side is over MAX_DIB_SIDE, the image over MAX_DIB_PIXELS or memory short.
    bool Create(int width, int height);
    // Fills the image from the screen's top-left corner (B, G, R, 0). Returns
    // false when there is no image or the screen cannot be read.
    bool CopyFromDC();

    uint8_t* GetBits() const { return m_bits.get(); }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }

private:
    std::unique_ptr<uint8_t[]> m_bits;
    int m_width = 0;
    int m_height = 0;
};
