// The interval arithmetic shared by the bubble stream and the blue fish.
#include <gtest/gtest.h>

#include <cmath>

#include "render/EmissionClock.h"

// The part of a step short of a whole interval is carried, not lost:
// 0.03 s steps at 0.05 s give 0, 1, 0, 1 (boundaries at 0.05 and 0.10).
TEST(SEmissionClock, RemainderCarriesToNextFrame)
{
    SEmissionClock emission;
    emission.interval = 0.05;
    EXPECT_EQ(emission.Advance(0.03), 0u);
    EXPECT_EQ(emission.Advance(0.03), 1u);
    EXPECT_EQ(emission.Advance(0.03), 0u);
    EXPECT_EQ(emission.Advance(0.03), 1u);
    EXPECT_EQ(emission.due, 1u);
    EXPECT_NEAR(emission.lastEmission, 0.10, 1e-12);
}

// A long step completes several intervals at once.
TEST(SEmissionClock, LongStepCompletesSeveralIntervals)
{
    SEmissionClock emission;
    emission.interval = 0.05;
    EXPECT_EQ(emission.Advance(0.26), 5u);
    EXPECT_NEAR(emission.lastEmission, 0.25, 1e-12);
}

// Until the renderer shortens it, the interval is a full second.
TEST(SEmissionClock, DefaultIntervalIsOneSecond)
{
    SEmissionClock emission;
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(emission.Advance(0.1), 0u);
    EXPECT_EQ(emission.Advance(0.11), 1u);
}

// A step back in time or a NaN completes no interval and leaves the count of
// later steps as it would have been.
TEST(SEmissionClock, BackwardOrNaNStepCompletesNothing)
{
    SEmissionClock emission;
    emission.interval = 0.05;
    EXPECT_EQ(emission.Advance(-0.5), 0u);
    EXPECT_EQ(emission.Advance(std::nan("")), 0u);
    EXPECT_EQ(emission.Advance(0.06), 1u);
    EXPECT_NEAR(emission.lastEmission, 0.05, 1e-12);
}
