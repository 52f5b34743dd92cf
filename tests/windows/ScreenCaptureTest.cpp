// The desktop copy through GDI: rows bottom-up and bytes B, G, R, 0, read
// from two painted windows at the screen's top-left corner.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "platform/ScreenCapture.h"

namespace {

const int WIDTH = 32;
const int BAND = 8;  // each colour band's height

HWND MakeBand(int y, COLORREF colour, const char* className)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(colour);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(WS_EX_TOPMOST, className, "", WS_POPUP | WS_VISIBLE, 0, y, WIDTH, BAND, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

void Settle()
{
    for (int i = 0; i < 50; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
}

}  // namespace

TEST(Win32ScreenCapture, TopOfScreenIsLastRowInBgrOrder)
{
    const HWND top = MakeBand(0, RGB(200, 40, 10), "Win32ScreenCapture.Top");
    const HWND below = MakeBand(BAND, RGB(20, 30, 220), "Win32ScreenCapture.Below");
    ASSERT_TRUE(top && below);
    Settle();
    std::vector<uint8_t> pixels(WIDTH * 2 * BAND * 4, 0xEE);
    ASSERT_TRUE(SysCaptureScreen(pixels.data(), WIDTH, 2 * BAND));
    const uint8_t* lastRow = &pixels[(2 * BAND - 1) * WIDTH * 4];  // the screen's top row
    EXPECT_EQ(lastRow[0], 10);
    EXPECT_EQ(lastRow[1], 40);
    EXPECT_EQ(lastRow[2], 200);
    EXPECT_EQ(lastRow[3], 0);
    const uint8_t* firstRow = &pixels[0];  // the lower band's bottom row
    EXPECT_EQ(firstRow[0], 220);
    EXPECT_EQ(firstRow[1], 30);
    EXPECT_EQ(firstRow[2], 20);
    EXPECT_EQ(firstRow[3], 0);
    DestroyWindow(top);
    DestroyWindow(below);
}
