// The frame pacer on a hand-driven clock: a wait moves the clock on by what
// it asks for, and a frame's work by what the test says it takes.
#include <gtest/gtest.h>

#include <vector>

#include "app/FramePacer.h"

namespace {

double g_now = 0;  // seconds
int g_waits = 0;

double GetFakeSeconds()
{
    return g_now;
}

void WaitFake(uint32_t milliseconds)
{
    ++g_waits;
    g_now += milliseconds / 1000.0;
}

const SPacingClock FAKE_CLOCK = {GetFakeSeconds, WaitFake};

// Runs the loop as the show does until the clock reaches the end; each frame
// takes frameWork seconds, the first frame at or after stallAt takes stall
// seconds more. Returns when each frame was shown.
std::vector<double> RunFrames(CFramePacer& pacer, double seconds, double frameWork, double stallAt = -1,
                              double stall = 0)
{
    std::vector<double> shown;
    while (g_now < seconds) {
        if (!pacer.WaitForFrame())
            continue;
        g_now += frameWork;
        if (stallAt >= 0 && g_now >= stallAt) {
            g_now += stall;
            stallAt = -1;
        }
        pacer.FrameShown();
        shown.push_back(g_now);
    }
    return shown;
}

class CFramePacerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_now = 1000;  // any start: the schedule begins with the first frame
        g_waits = 0;
    }
};

}  // namespace

// Without swap control, 10 s at 30 frames a second are 300 frames, however
// long each wait overshoots by rounding up to whole milliseconds.
TEST_F(CFramePacerTest, HoldsFramesToTheRateWithoutDrift)
{
    CFramePacer pacer(30, false, FAKE_CLOCK);
    const std::vector<double> shown = RunFrames(pacer, g_now + 10, 0.004);
    EXPECT_NEAR(static_cast<double>(shown.size()), 300, 2);
}

// After a stall of 2 s (a slow frame, a stopped process) the schedule starts
// again from then: one frame comes at once, and those after keep their
// period instead of catching up.
TEST_F(CFramePacerTest, StallIsFollowedByNoBurst)
{
    CFramePacer pacer(30, false, FAKE_CLOCK);
    const double start = g_now;
    const std::vector<double> shown = RunFrames(pacer, start + 6, 0.002, start + 2, 2.0);
    int afterStall = 0, hurried = 0;
    for (size_t i = 1; i < shown.size(); ++i) {
        if (shown[i] > start + 4 && shown[i] <= start + 5)
            ++afterStall;
        // Closer than a period, but for rounding to milliseconds.
        if (shown[i] - shown[i - 1] < 1.0 / 30 - 0.002)
            ++hurried;
    }
    EXPECT_NEAR(afterStall, 30, 2);
    EXPECT_LE(hurried, 1);
}

// Swaps that wait for the display's refresh pace the loop themselves: the
// pacer then never waits, whatever the rate.
TEST_F(CFramePacerTest, LeavesWorkingSwapControlAlone)
{
    CFramePacer pacer(60, true, FAKE_CLOCK);
    const std::vector<double> shown = RunFrames(pacer, g_now + 5, 1.0 / 60);
    EXPECT_EQ(g_waits, 0);
    EXPECT_FALSE(pacer.IsPacing());
    EXPECT_NEAR(static_cast<double>(shown.size()), 300, 2);
}

// A driver that says its swaps wait but returns at once is found out within
// about a second, and from then on the clock holds the frames to the rate.
TEST_F(CFramePacerTest, PacesSwapsThatReturnAtOnce)
{
    CFramePacer pacer(60, true, FAKE_CLOCK);
    const double start = g_now;
    const std::vector<double> shown = RunFrames(pacer, start + 6, 0.001);
    EXPECT_TRUE(pacer.IsPacing());
    int lastSecond = 0;
    for (double at : shown)
        lastSecond += at > start + 5 ? 1 : 0;
    EXPECT_NEAR(lastSecond, 60, 2);
}

// --max-fps=0: no limit at all.
TEST_F(CFramePacerTest, RateZeroNeverWaits)
{
    CFramePacer pacer(0, false, FAKE_CLOCK);
    RunFrames(pacer, g_now + 1, 0.001);
    EXPECT_EQ(g_waits, 0);
}

// A clock that jumps back (a tick clock's wrap) must not leave the loop
// waiting for a deadline far in the future.
TEST_F(CFramePacerTest, ClockGoingBackRestartsTheSchedule)
{
    CFramePacer pacer(30, false, FAKE_CLOCK);
    RunFrames(pacer, g_now + 1, 0.001);
    g_now -= 500;
    const std::vector<double> shown = RunFrames(pacer, g_now + 1, 0.001);
    EXPECT_NEAR(static_cast<double>(shown.size()), 30, 2);
}
