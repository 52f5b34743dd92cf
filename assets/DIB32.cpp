#include "assets/DIB32.h"

#include <algorithm>
#include <new>

#include "platform/ScreenCapture.h"

bool CDIB32::Create(int width, int height)
{
    width = std::max(width, MIN_DIB_SIDE);
    height = std::max(height, MIN_DIB_SIDE);
    if (width > MAX_DIB_SIDE || height > MAX_DIB_SIDE || int64_t(width) * height > MAX_DIB_PIXELS)
        return false;
    uint8_t* bits = new (std::nothrow) uint8_t[static_cast<size_t>(width) * height * 4];
    if (bits == nullptr)
        return false;
    m_bits.reset(bits);
    m_width = width;
    m_height = height;
    return true;
}

bool CDIB32::CopyFromDC()
{
    return m_bits && SysCaptureScreen(m_bits.get(), m_width, m_height);
}
