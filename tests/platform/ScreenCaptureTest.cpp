#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/ScreenCapture.h"
#include "tests/support/PrivateXServer.h"

namespace {

// A screen of the test's own, so what it paints on the root window is not
// covered by another test's windows.
const int SCREEN_W = 64;
const int SCREEN_H = 48;

// Paints the root window: colour top on its first topRows rows, bottom below.
void PaintRoot(unsigned long top, unsigned long bottom, int topRows)
{
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window root = DefaultRootWindow(display);
    GC gc = XCreateGC(display, root, 0, nullptr);
    XSetForeground(display, gc, bottom);
    XFillRectangle(display, root, gc, 0, 0, SCREEN_W, SCREEN_H);
    XSetForeground(display, gc, top);
    XFillRectangle(display, root, gc, 0, 0, SCREEN_W, topRows);
    XFreeGC(display, gc);
    XSync(display, False);
    XCloseDisplay(display);
}

std::vector<int> Pixel(const std::vector<uint8_t>& pixels, int width, int x, int y)
{
    const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

}  // namespace

// The screen's top rows end last in memory, as B, G, R, 0.
TEST(SysCaptureScreen, TopRowsLandLastAsBgr)
{
    CPrivateXServer server(SCREEN_W, SCREEN_H);
    ASSERT_TRUE(server.IsReady());
    PaintRoot(0x102030, 0x405060, 4);
    std::vector<uint8_t> pixels(32 * 16 * 4, 0xEE);
    ASSERT_TRUE(SysCaptureScreen(pixels.data(), 32, 16));
    for (int y = 12; y < 16; ++y)
        EXPECT_EQ(Pixel(pixels, 32, 31, y), (std::vector<int>{0x30, 0x20, 0x10, 0})) << y;
    for (int y = 0; y < 12; ++y)
        EXPECT_EQ(Pixel(pixels, 32, 0, y), (std::vector<int>{0x60, 0x50, 0x40, 0})) << y;
}

// Asking for more than the screen holds reads what exists and blacks the rest.
TEST(SysCaptureScreen, BeyondTheScreenIsBlack)
{
    CPrivateXServer server(SCREEN_W, SCREEN_H);
    ASSERT_TRUE(server.IsReady());
    PaintRoot(0xFFFFFF, 0x808080, SCREEN_H);
    const int w = SCREEN_W + 8;
    const int h = SCREEN_H + 2;
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 4, 0xEE);
    ASSERT_TRUE(SysCaptureScreen(pixels.data(), w, h));
    EXPECT_EQ(Pixel(pixels, w, 0, h - 1), (std::vector<int>{255, 255, 255, 0}));
    EXPECT_EQ(Pixel(pixels, w, SCREEN_W - 1, 2), (std::vector<int>{255, 255, 255, 0}));
    EXPECT_EQ(Pixel(pixels, w, SCREEN_W, h - 1), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(Pixel(pixels, w, 0, 1), (std::vector<int>{0, 0, 0, 0}));
}

// Without a display the call fails and leaves the pixels alone.
TEST(SysCaptureScreen, NoDisplayFailsCleanly)
{
    const char* previous = std::getenv("DISPLAY");
    const std::string kept = previous ? previous : "";
    setenv("DISPLAY", ":999", 1);
    std::vector<uint8_t> pixels(8 * 8 * 4, 0xEE);
    EXPECT_FALSE(SysCaptureScreen(pixels.data(), 8, 8));
    EXPECT_EQ(pixels[0], 0xEE);
    if (previous)
        setenv("DISPLAY", kept.c_str(), 1);
    else
        unsetenv("DISPLAY");
}
