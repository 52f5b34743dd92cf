#include <gtest/gtest.h>

#include "render/Display.h"

// The six modes the setup dialog offers, in the order it lists them.
TEST(CDisplay, ListsSixModesInOrder)
{
    const CDisplay display;
    const SDisplayMode expected[] = {{640, 480, 16}, {800, 600, 16}, {1024, 768, 16},
                                     {640, 480, 32}, {800, 600, 32}, {1024, 768, 32}};
    ASSERT_EQ(display.GetModeCount(), 6u);
    for (unsigned i = 0; i < 6; ++i) {
        const SDisplayMode* mode = display.GetMode(i);
        ASSERT_NE(mode, nullptr);
        EXPECT_EQ(mode->width, expected[i].width);
        EXPECT_EQ(mode->height, expected[i].height);
        EXPECT_EQ(mode->bits, expected[i].bits);
    }
}

// An index past the list gives no mode rather than reading beyond it.
TEST(CDisplay, IndexPastListGivesNull)
{
    const CDisplay display;
    EXPECT_EQ(display.GetMode(6), nullptr);
    EXPECT_EQ(display.GetMode(~0u), nullptr);
}
