// Bitmap resources in real Win32 child windows: the picture windows of the
// setup dialog and the preview.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "app/Trace.h"
#include "platform/Bitmap.h"
#include "ui/SplashWnd.h"

namespace {

const int WIDTH = 160, HEIGHT = 120;

// The colours an 8 x 8 grid over the window's client area shows on the screen.
std::set<COLORREF> ReadColours(HWND window)
{
    const HDC screen = GetDC(nullptr);
    std::set<COLORREF> colours;
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            POINT point = {(2 * column + 1) * WIDTH / 16, (2 * row + 1) * HEIGHT / 16};
            ClientToScreen(window, &point);
            colours.insert(GetPixel(screen, point.x, point.y));
        }
    }
    ReleaseDC(nullptr, screen);
    return colours;
}

void Pump()
{
    for (int i = 0; i < 20; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(20);
    }
}

}  // namespace

// The aquarium picture (resource 132) is loaded at the parent's client size
// and painted over all of it: no point shows the parent's plain white.
TEST(Win32Bitmap, PictureWindowFillsItsParentWithTheBitmap)
{
    const HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_WHITERECT, 20, 20, WIDTH, HEIGHT,
                                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(parent);
    {
        CSplashWnd picture;
        ASSERT_TRUE(picture.Create(reinterpret_cast<HWindow>(parent), BITMAP_PREVIEW));
        Pump();
        const std::set<COLORREF> colours = ReadColours(parent);
        EXPECT_EQ(colours.count(RGB(255, 255, 255)), 0u);
        EXPECT_GE(colours.size(), 16u);
    }
    DestroyWindow(parent);
    g_bRunning = 1;  // the picture's end stops the run loop, as in the preview
}

// A missing resource gives no bitmap, and drawing nothing fails.
TEST(Win32Bitmap, MissingResourceGivesNoBitmap)
{
    EXPECT_EQ(SysLoadBitmap(9999, 10, 10), 0u);
    EXPECT_FALSE(SysDrawBitmap(0, 0, 10, 10));
}
