#include <gtest/gtest.h>

#include "render/ViewSize.h"

namespace {

void ExpectSize(const SPixelSize& size, int width, int height)
{
    EXPECT_EQ(size.width, width);
    EXPECT_EQ(size.height, height);
}

}  // namespace

// The background is uploaded, on each axis, at the smallest power of two not
// below the view's pixels: 1280 across needs 2048, 720 up only 1024, and a
// power of two itself is enough. A sixteenth short is as good: 1024 for 1080
// (1024 x 17 / 16 = 1088) but not for 1089 or 1200. The driver's largest
// texture caps both.
TEST(GetBackgroundSize, CoversEachAxisWithThePowerOfTwoAbove)
{
    const int LARGE = 16384;
    ExpectSize(GetBackgroundSize({1280, 720}, LARGE), 2048, 1024);
    ExpectSize(GetBackgroundSize({1920, 1080}, LARGE), 2048, 1024);
    ExpectSize(GetBackgroundSize({1088, 1089}, LARGE), 1024, 2048);
    ExpectSize(GetBackgroundSize({1920, 1200}, LARGE), 2048, 2048);
    ExpectSize(GetBackgroundSize({1024, 768}, LARGE), 1024, 1024);
    ExpectSize(GetBackgroundSize({1080, 1920}, LARGE), 1024, 2048);
    ExpectSize(GetBackgroundSize({200, 150}, LARGE), 256, 256);
    ExpectSize(GetBackgroundSize({3840, 2160}, LARGE), 4096, 2048);
    ExpectSize(GetBackgroundSize({3840, 2160}, 2048), 2048, 2048);
    ExpectSize(GetBackgroundSize({1280, 720}, 1024), 1024, 1024);
}

// An empty view (a window not shown yet) draws as a square one, not as a division by zero.
TEST(GetAspect, EmptyViewIsSquare)
{
    EXPECT_FLOAT_EQ(GetAspect({1920, 1080}), 16.0f / 9.0f);
    EXPECT_FLOAT_EQ(GetAspect({0, 0}), 1.0f);
    EXPECT_FLOAT_EQ(GetAspect({640, 0}), 1.0f);
}
