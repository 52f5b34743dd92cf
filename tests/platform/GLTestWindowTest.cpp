#include <GL/gl.h>
#include <gtest/gtest.h>

#include "tests/support/GLTestWindow.h"

namespace {

const int WIDTH = 64;
const int HEIGHT = 48;

struct SPixel
{
    int r, g, b;
};

SPixel PixelAt(const std::vector<uint8_t>& pixels, int x, int row)
{
    const size_t at = (static_cast<size_t>(row) * WIDTH + x) * 4;
    return {pixels[at], pixels[at + 1], pixels[at + 2]};
}

// Draws a red band over the bottom quarter of the window, in window pixels.
void DrawBottomBand()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, WIDTH, 0, HEIGHT, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3ub(255, 0, 0);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(WIDTH, 0);
    glVertex2i(WIDTH, HEIGHT / 4);
    glVertex2i(0, HEIGHT / 4);
    glEnd();
}

}  // namespace

// The cleared colour comes back exactly, over the whole window.
TEST(CGLTestWindow, ReadsBackClearColour)
{
    CGLTestWindow window(WIDTH, HEIGHT);
    ASSERT_TRUE(window.IsReady());
    glClearColor(0.0f, 64 / 255.0f, 128 / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const std::vector<uint8_t> pixels = window.ReadPixels();
    ASSERT_EQ(pixels.size(), static_cast<size_t>(WIDTH * HEIGHT * 4));
    for (int row : {0, HEIGHT / 2, HEIGHT - 1}) {
        const SPixel pixel = PixelAt(pixels, WIDTH - 1, row);
        EXPECT_EQ(pixel.r, 0);
        EXPECT_EQ(pixel.g, 64);
        EXPECT_EQ(pixel.b, 128);
    }
}

// A quad drawn at the bottom of the window is in the first rows read back.
TEST(CGLTestWindow, RowsComeBottomUp)
{
    CGLTestWindow window(WIDTH, HEIGHT);
    ASSERT_TRUE(window.IsReady());
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    DrawBottomBand();
    const std::vector<uint8_t> pixels = window.ReadPixels();
    const SPixel bottom = PixelAt(pixels, WIDTH / 2, 1);
    const SPixel top = PixelAt(pixels, WIDTH / 2, HEIGHT - 2);
    EXPECT_EQ(bottom.r, 255);
    EXPECT_EQ(bottom.b, 0);
    EXPECT_EQ(top.r, 0);
    EXPECT_EQ(top.b, 255);
}

// The saver's format: 8 bits per colour channel and a usable depth buffer.
TEST(CGLTestWindow, ContextHasSaverPixelFormat)
{
    CGLTestWindow window(WIDTH, HEIGHT);
    ASSERT_TRUE(window.IsReady());
    GLint red = 0, green = 0, blue = 0, depth = 0;
    GLboolean doubleBuffer = GL_FALSE;
    glGetIntegerv(GL_RED_BITS, &red);
    glGetIntegerv(GL_GREEN_BITS, &green);
    glGetIntegerv(GL_BLUE_BITS, &blue);
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffer);
    EXPECT_EQ(red + green + blue, 24);
    EXPECT_GE(depth, 16);
    EXPECT_TRUE(doubleBuffer);
}

// What is drawn after a swap is read from the new back buffer, not the old frame.
TEST(CGLTestWindow, ReadsCurrentFrameAfterSwap)
{
    CGLTestWindow window(WIDTH, HEIGHT);
    ASSERT_TRUE(window.IsReady());
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    window.Swap();
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    const SPixel pixel = PixelAt(window.ReadPixels(), 3, 3);
    EXPECT_EQ(pixel.r, 0);
    EXPECT_EQ(pixel.g, 255);
}
