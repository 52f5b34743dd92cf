// The frame timer against the machine's clock and against a hand-driven one.
#include <gtest/gtest.h>

#include "app/FrameTimer.h"
#include "platform/Clock.h"

namespace {

bool g_hasCounter = true;
int64_t g_frequency = 0;
int64_t g_count = 0;
uint32_t g_tick = 0;

bool FakeFrequency(int64_t* frequency)
{
    *frequency = g_frequency;
    return g_hasCounter;
}

bool FakeCounter(int64_t* count)
{
    *count = g_count;
    return g_hasCounter;
}

uint32_t FakeTick()
{
    return g_tick;
}

const SFrameClock FAKE_CLOCK = {FakeFrequency, FakeCounter, FakeTick};

}  // namespace

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

// A start 16 ms before the tick clock wraps reads 48 ms, 32 ms after the wrap.
TEST(CFrameTimer, TickModeSurvivesWrap)
{
    g_hasCounter = false;
    g_tick = 0xFFFFFFF0u;
    CFrameTimer timer(FAKE_CLOCK);
    EXPECT_FALSE(timer.UsesCounter());
    g_tick = 0x20u;
    EXPECT_DOUBLE_EQ(timer.GetElapsed(), 48.0);
}

// Restart in tick mode stays on the tick clock and measures from the new tick.
TEST(CFrameTimer, TickRestartKeepsTickClock)
{
    g_hasCounter = false;
    g_tick = 1000;
    CFrameTimer timer(FAKE_CLOCK);
    g_hasCounter = true;  // a counter appearing later must not change the mode
    g_frequency = 1000;
    g_tick = 1500;
    timer.Restart();
    g_tick = 1507;
    EXPECT_FALSE(timer.UsesCounter());
    EXPECT_DOUBLE_EQ(timer.GetElapsed(), 7.0);
}

// On the counter, 5 counts at 3000 per second are 5/3 ms: fractions are kept.
TEST(CFrameTimer, CounterModeKeepsFractions)
{
    g_hasCounter = true;
    g_frequency = 3000;
    g_count = 1000000;
    CFrameTimer timer(FAKE_CLOCK);
    EXPECT_TRUE(timer.UsesCounter());
    g_count += 5;
    EXPECT_NEAR(timer.GetElapsed(), 5.0 / 3.0, 1e-9);
}

// A counter that reports no frequency cannot give time: the tick clock is used.
TEST(CFrameTimer, ZeroFrequencyFallsBackToTicks)
{
    g_hasCounter = true;
    g_frequency = 0;
    g_tick = 200;
    CFrameTimer timer(FAKE_CLOCK);
    g_tick = 210;
    EXPECT_FALSE(timer.UsesCounter());
    EXPECT_DOUBLE_EQ(timer.GetElapsed(), 10.0);
}
