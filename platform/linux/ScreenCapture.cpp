#include "platform/ScreenCapture.h"
#include "platform/Window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstring>

namespace {

// Scales one colour field of a pixel to 8 bits, whatever its width in the mask.
uint8_t TakeChannel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0)
        ++shift;
    int bits = 0;
    while (((mask >> (shift + bits)) & 1) != 0)
        ++bits;
    const unsigned long value = (pixel & mask) >> shift;
    if (bits >= 8)
        return static_cast<uint8_t>(value >> (bits - 8));
    return static_cast<uint8_t>(value * 255 / ((1ul << bits) - 1));
}

void CopyImage(XImage* image, uint8_t* pixels, int width, int height)
{
    std::memset(pixels, 0, static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < image->height; ++y) {
        // X rows count down from the top; ours count up from the bottom.
        uint8_t* row = pixels + static_cast<size_t>(height - 1 - y) * width * 4;
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            row[4 * x] = TakeChannel(pixel, image->blue_mask);
            row[4 * x + 1] = TakeChannel(pixel, image->green_mask);
            row[4 * x + 2] = TakeChannel(pixel, image->red_mask);
        }
    }
}

}  // namespace

bool SysCaptureScreen(uint8_t* pixels, int width, int height)
{
    if (pixels == nullptr || width <= 0 || height <= 0)
        return false;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    bool copied = false;
    // Under a Wayland desktop the X server is XWayland, whose root window
    // holds no picture of the desktop: reading it would only give black.
    int opcode = 0, firstEvent = 0, firstError = 0;
    const bool xwayland = XQueryExtension(display, "XWAYLAND", &opcode, &firstEvent, &firstError);
    if (!xwayland && XGetWindowAttributes(display, root, &attributes)) {
        // The primary screen's corner; asking for pixels beyond the root
        // window is an X error, so stay inside it.
        int left = 0, top = 0;
        SysGetScreenOrigin(&left, &top);
        left = std::clamp(left, 0, attributes.width - 1);
        top = std::clamp(top, 0, attributes.height - 1);
        const int w = std::min(width, attributes.width - left);
        const int h = std::min(height, attributes.height - top);
        XImage* image = XGetImage(display, root, left, top, static_cast<unsigned>(w), static_cast<unsigned>(h),
                                  AllPlanes, ZPixmap);
        if (image != nullptr) {
            CopyImage(image, pixels, width, height);
            XDestroyImage(image);
            copied = true;
        }
    }
    XCloseDisplay(display);
    return copied;
}
