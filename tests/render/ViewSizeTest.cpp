#include <gtest/gtest.h>

#include "render/ViewSize.h"

namespace {

void ExpectSize(const SPixelSize& size, int width, int height)
{
    EXPECT_EQ(size.width, width);
    EXPECT_EQ(size.height, height);
}

}  // namespace

// The background is uploaded square, at the smallest power of two not below
// the view's longer side (a power of two itself is enough), never above the
// picture's own 2048 nor the driver's largest texture.
TEST(GetBackgroundSize, CoversTheLongerSideWithThePowerOfTwoAbove)
{
    const int LARGE = 16384;
    ExpectSize(GetBackgroundSize({1280, 720}, LARGE), 2048, 2048);
    ExpectSize(GetBackgroundSize({1024, 768}, LARGE), 1024, 1024);
    ExpectSize(GetBackgroundSize({1025, 768}, LARGE), 2048, 2048);
    ExpectSize(GetBackgroundSize({768, 1024}, LARGE), 1024, 1024);
    ExpectSize(GetBackgroundSize({200, 150}, LARGE), 256, 256);
    ExpectSize(GetBackgroundSize({3840, 2160}, LARGE), 2048, 2048);
    ExpectSize(GetBackgroundSize({1280, 720}, 1024), 1024, 1024);
    ExpectSize(GetBackgroundSize({0, 0}, LARGE), 1, 1);
}

// An empty view (a window not shown yet) draws as a square one, not as a division by zero.
TEST(GetAspect, EmptyViewIsSquare)
{
    EXPECT_FLOAT_EQ(GetAspect({1920, 1080}), 16.0f / 9.0f);
    EXPECT_FLOAT_EQ(GetAspect({0, 0}), 1.0f);
    EXPECT_FLOAT_EQ(GetAspect({640, 0}), 1.0f);
}
