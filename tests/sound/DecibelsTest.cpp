#include <gtest/gtest.h>

#include <cmath>

#include "sound/Decibels.h"

// Gain to hundredths of a decibel: 20·log10(gain), truncated toward zero,
// with silence at the bottom. 0.1 in single precision lies just above a
// tenth, so it gives -1999, not -2000.
TEST(GainToVolume, MatchesTheTableAndClamps)
{
    EXPECT_EQ(0, GainToVolume(1.0f));
    EXPECT_EQ(-602, GainToVolume(0.5f));
    EXPECT_EQ(-1999, GainToVolume(0.1f));
    EXPECT_EQ(-4000, GainToVolume(0.01f));
    EXPECT_EQ(-10000, GainToVolume(0.0f));
    EXPECT_EQ(-10000, GainToVolume(-3.0f));
    EXPECT_EQ(-10000, GainToVolume(std::nanf("")));
    EXPECT_EQ(0, GainToVolume(2.0f));
}

// Pan to balance: the attenuation of the far channel, signed like the pan,
// stopping short of silence at the ends.
TEST(PanToBalance, MatchesTheTableAndStopsShortOfSilence)
{
    EXPECT_EQ(0, PanToBalance(0.0f));
    EXPECT_EQ(602, PanToBalance(0.5f));
    EXPECT_EQ(-602, PanToBalance(-0.5f));
    EXPECT_EQ(1999, PanToBalance(0.9f));
    EXPECT_EQ(7999, PanToBalance(1.0f));
    EXPECT_EQ(-7999, PanToBalance(-3.0f));
}
