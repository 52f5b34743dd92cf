// The frame timer against the machine's clock.
#include <gtest/gtest.h>

#include "app/FrameTimer.h"
#include "platform/Clock.h"

// A fresh timer reads close to zero and never below it.
TEST(CFrameTimer, StartsNearZero)
{
    CFrameTimer timer;
    const double elapsed = timer.GetElapsed();
    EXPECT_GE(elapsed, 0.0);
    EXPECT_LT(elapsed, 50.0);
}

// A 30 ms sleep reads as at least 30 ms.
TEST(CFrameTimer, MeasuresSleepInMilliseconds)
{
    CFrameTimer timer;
    SysSleep(30);
    const double elapsed = timer.GetElapsed();
    EXPECT_GE(elapsed, 30.0);
    EXPECT_LT(elapsed, 1000.0);
}

// Restart takes a new start point: the time before it is forgotten.
TEST(CFrameTimer, RestartForgetsEarlierTime)
{
    CFrameTimer timer;
    SysSleep(40);
    timer.Restart();
    const double elapsed = timer.GetElapsed();
    EXPECT_GE(elapsed, 0.0);
    EXPECT_LT(elapsed, 40.0);
}
