#include <gtest/gtest.h>

#include "assets/DIB32.h"

// Sides below 8 are raised to 8; the others stay.
TEST(CDIB32, CreateRaisesSmallSides)
{
    CDIB32 image;
    ASSERT_TRUE(image.Create(5, 300));
    EXPECT_EQ(image.GetWidth(), 8);
    EXPECT_EQ(image.GetHeight(), 300);
    ASSERT_NE(image.GetBits(), nullptr);
    image.GetBits()[8 * 300 * 4 - 1] = 1;  // the last byte is ours
    ASSERT_TRUE(image.Create(0, -3));
    EXPECT_EQ(image.GetWidth(), 8);
    EXPECT_EQ(image.GetHeight(), 8);
}

// A size no texture could take is refused, and the old pixels stay.
TEST(CDIB32, CreateRefusesHugeSizesKeepingPixels)
{
    CDIB32 image;
    ASSERT_TRUE(image.Create(16, 16));
    uint8_t* bits = image.GetBits();
    EXPECT_FALSE(image.Create(MAX_DIB_SIDE + 1, 8));
    EXPECT_FALSE(image.Create(8, MAX_DIB_SIDE + 1));
    EXPECT_FALSE(image.Create(MAX_DIB_SIDE, MAX_DIB_SIDE));
    EXPECT_EQ(image.GetBits(), bits);
    EXPECT_EQ(image.GetWidth(), 16);
}

// Copying the screen into an image that has no pixels fails cleanly.
TEST(CDIB32, CopyWithoutPixelsFails)
{
    CDIB32 image;
    EXPECT_FALSE(image.CopyFromDC());
}
