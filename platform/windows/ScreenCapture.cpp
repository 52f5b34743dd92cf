// The desktop's pixels through GDI: the screen's device context copied into
// a 32-bit device-independent bitmap of our own.
#include <algorithm>
#include <cstring>

#include "platform/ScreenCapture.h"
#include "platform/windows/WindowClasses.h"

namespace {

// Copies the screen's top-left corner into a bottom-up 32-bit section.
bool CopyScreen(HDC screen, uint8_t* pixels, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: rows bottom-up, as ours
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC memory = CreateCompatibleDC(screen);
    bool copied = false;
    if (section && memory && bits) {
        const HGDIOBJ previous = SelectObject(memory, section);
        const size_t bytes = static_cast<size_t>(width) * height * 4;
        std::memset(bits, 0, bytes);
        // Only the part on the screen is read; the rest stays black.
        const int w = std::min(width, GetSystemMetrics(SM_CXSCREEN));
        const int h = std::min(height, GetSystemMetrics(SM_CYSCREEN));
        copied = BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY) != FALSE;
        GdiFlush();
        if (copied) {
            std::memcpy(pixels, bits, bytes);
            // GDI leaves the fourth byte undefined.
            for (size_t i = 3; i < bytes; i += 4)
                pixels[i] = 0;
        }
        SelectObject(memory, previous);
    }
    if (memory)
        DeleteDC(memory);
    if (section)
        DeleteObject(section);
    return copied;
}

}  // namespace

bool SysCaptureScreen(uint8_t* pixels, int width, int height)
{
    if (pixels == nullptr || width <= 0 || height <= 0)
        return false;
    const HDC screen = GetDC(nullptr);
    if (!screen)
        return false;
    const bool copied = CopyScreen(screen, pixels, width, height);
    ReleaseDC(nullptr, screen);
    return copied;
}
