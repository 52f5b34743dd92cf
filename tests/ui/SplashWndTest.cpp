// The picture window inside parent windows made by the test, on an X server
// of the test's own (other tests' windows would cover the pixels read back).
// Expected pixels are read from the embedded BMP files by hand here.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <functional>

#include "app/Trace.h"
#include "platform/Resources.h"
#include "tests/support/PrivateXServer.h"
#include "ui/SplashWnd.h"

namespace {

struct SRgb
{
    int r, g, b;
};

// The platform keeps its first display for the life of the process, so the
// server must outlive every test of the process.
CPrivateXServer& TestServer()
{
    static CPrivateXServer server(640, 480);
    return server;
}

uint32_t Word(const uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// Pixel (x, y), y counting down from the top, of an uncompressed bottom-up BMP resource.
SRgb BmpPixel(int id, int x, int y)
{
    const uint8_t* data = nullptr;
    size_t size = 0;
    EXPECT_TRUE(SysFindResource(id, &data, &size));
    const int width = static_cast<int>(Word(data + 18));
    const int height = static_cast<int>(Word(data + 22));
    const int bits = data[28];
    const int stride = (width * bits / 8 + 3) / 4 * 4;
    const uint8_t* row = data + Word(data + 10) + stride * (height - 1 - y);
    const uint8_t* bgr = bits == 24 ? row + 3 * x : data + 54 + 4 * row[x];  // palette after the 40-byte header
    return {bgr[2], bgr[1], bgr[0]};
}

class SplashWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestServer().IsReady());
        m_display = XOpenDisplay(TestServer().GetDisplay().c_str());
        ASSERT_NE(m_display, nullptr);
        g_bRunning = 1;
    }

    void TearDown() override
    {
        if (m_display)
            XCloseDisplay(m_display);
        g_bRunning = 1;
    }

    // A mapped top-level window of the test's own connection, as a host would make.
    Window MakeParent(int x, int y, int width, int height)
    {
        const Window window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), x, y, width, height, 0, 0,
                                                  WhitePixel(m_display, DefaultScreen(m_display)));
        XMapWindow(m_display, window);
        XSync(m_display, False);
        return window;
    }

    // Runs the message loop until the condition holds or about five seconds pass.
    bool PumpUntil(const std::function<bool()>& done)
    {
        for (int pass = 0; pass < 500; ++pass) {
            SMessage message;
            while (SysPeekMessage(&message))
                SysDispatchMessage(message);
            if (done())
                return true;
            SysWaitMessage(10);
        }
        return done();
    }

    SRgb WindowPixel(Window window, int x, int y)
    {
        XImage* image = XGetImage(m_display, window, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return {-1, -1, -1};
        const unsigned long pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                static_cast<int>(pixel & 0xFF)};
    }

    // True when every pixel of the window equals the expected one within the tolerance.
    bool WindowShows(Window window, int width, int height, const std::function<SRgb(int, int)>& expected, int tolerance)
    {
        XImage* image = XGetImage(m_display, window, 0, 0, width, height, AllPlanes, ZPixmap);
        if (!image)
            return false;
        bool same = true;
        for (int y = 0; y < height && same; ++y) {
            for (int x = 0; x < width && same; ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                const SRgb want = expected(x, y);
                same = std::abs(static_cast<int>((pixel >> 16) & 0xFF) - want.r) <= tolerance &&
                       std::abs(static_cast<int>((pixel >> 8) & 0xFF) - want.g) <= tolerance &&
                       std::abs(static_cast<int>(pixel & 0xFF) - want.b) <= tolerance;
            }
        }
        XDestroyImage(image);
        return same;
    }

    Display* m_display = nullptr;
};

}  // namespace

// Both bitmaps at their own size: rows in picture order, red and blue in
// place, the strip's palette applied; each window finds its own object.
TEST_F(SplashWndTest, TwoWindowsShowTheirOwnBitmapsOneToOne)
{
    const Window frame = MakeParent(10, 10, 200, 150);
    const Window strip = MakeParent(10, 200, 512, 32);
    CSplashWnd picture, title;
    ASSERT_TRUE(picture.Create(frame, BITMAP_PREVIEW));
    ASSERT_TRUE(title.Create(strip, BITMAP_TITLE));
    auto preview = [](int x, int y) { return BmpPixel(BITMAP_PREVIEW, x, y); };
    auto caption = [](int x, int y) { return BmpPixel(BITMAP_TITLE, x, y); };
    EXPECT_TRUE(PumpUntil([&] { return WindowShows(picture.GetHWND(), 200, 150, preview, 0); }));
    EXPECT_TRUE(PumpUntil([&] { return WindowShows(title.GetHWND(), 512, 32, caption, 0); }));
}

// A host window smaller than the picture shows all of it, scaled: at half
// size each pixel is the mean of a 2 x 2 block of the picture, never a crop.
TEST_F(SplashWndTest, SmallerParentShowsWholePictureScaledDown)
{
    const Window host = MakeParent(10, 10, 100, 75);
    CSplashWnd picture;
    ASSERT_TRUE(picture.Create(host, BITMAP_PREVIEW));
    auto halved = [](int x, int y) {
        SRgb sum = {0, 0, 0};
        for (int dy = 0; dy < 2; ++dy) {
            for (int dx = 0; dx < 2; ++dx) {
                const SRgb p = BmpPixel(BITMAP_PREVIEW, 2 * x + dx, 2 * y + dy);
                sum = {sum.r + p.r, sum.g + p.g, sum.b + p.b};
            }
        }
        return SRgb{sum.r / 4, sum.g / 4, sum.b / 4};
    };
    EXPECT_TRUE(PumpUntil([&] { return WindowShows(picture.GetHWND(), 100, 75, halved, 1); }));
}

// The picture comes back after another window covered it.
TEST_F(SplashWndTest, RepaintsWhatAnotherWindowCovered)
{
    const Window host = MakeParent(10, 10, 200, 150);
    CSplashWnd picture;
    ASSERT_TRUE(picture.Create(host, BITMAP_PREVIEW));
    const SRgb corner = BmpPixel(BITMAP_PREVIEW, 5, 5);
    auto showsCorner = [&] {
        const SRgb seen = WindowPixel(picture.GetHWND(), 5, 5);
        return seen.r == corner.r && seen.g == corner.g && seen.b == corner.b;
    };
    ASSERT_TRUE(PumpUntil(showsCorner));
    const Window cover = MakeParent(0, 0, 100, 100);
    XSetWindowBackground(m_display, cover, 0x123456);
    XClearWindow(m_display, cover);
    XSync(m_display, False);
    XDestroyWindow(m_display, cover);
    XSync(m_display, False);
    EXPECT_TRUE(PumpUntil(showsCorner));
}

// The host destroying its window destroys the picture with it: the running
// flag drops (the preview's end) and the object forgets its handle.
TEST_F(SplashWndTest, ParentDestructionClearsRunningFlag)
{
    const Window host = MakeParent(10, 10, 80, 60);
    CSplashWnd picture;
    ASSERT_TRUE(picture.Create(host, BITMAP_PREVIEW));
    ASSERT_EQ(g_bRunning, 1);
    XDestroyWindow(m_display, host);
    XSync(m_display, False);
    EXPECT_TRUE(PumpUntil([] { return g_bRunning == 0; }));
    EXPECT_EQ(picture.GetHWND(), 0u);
}

// With no parent, or a handle that names no window, nothing is made: the
// preview must then end instead of waiting for a window that never comes.
TEST_F(SplashWndTest, MissingParentFailsCreate)
{
    CSplashWnd picture;
    EXPECT_FALSE(picture.Create(0, BITMAP_PREVIEW));
    EXPECT_FALSE(picture.Create(0x7FFFFFF, BITMAP_PREVIEW));
    EXPECT_EQ(picture.GetHWND(), 0u);
    EXPECT_EQ(g_bRunning, 1);
}

// Objects leave the live list when they go, so a later message never reaches
// a destroyed object; a window outlives no object.
TEST_F(SplashWndTest, DestroyedObjectLeavesLiveListAndTakesItsWindow)
{
    const Window host = MakeParent(10, 10, 80, 60);
    auto first = std::make_unique<CSplashWnd>();
    CSplashWnd second;
    ASSERT_TRUE(first->Create(host, BITMAP_PREVIEW));
    const HWindow window = first->GetHWND();
    first.reset();
    EXPECT_EQ(g_SplashWindows, std::vector<CSplashWnd*>{&second});
    EXPECT_FALSE(SysIsWindow(window));
}
