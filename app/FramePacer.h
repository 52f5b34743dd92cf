#pragma once
// Keeps the show from drawing frames that no screen shows. Where the
// display's swaps wait for its refresh they pace the loop themselves, and the
// pacer only watches that they really do; where they do not (no swap control,
// or swaps that return at once) it holds frames to the rate by the clock.
// Deadlines follow one another a period apart, so the rate never drifts; one
// missed by more than a period starts the schedule again from now, so a stall
// or a stopped process is never followed by a burst of catch-up frames. It
// neither draws nor reads messages: the loop asks it before each frame.
#include <cstdint>

// The clock the pacer reads and the wait it makes: the machine's by default;
// a test hands in its own to run seconds of frames in no time.
struct SPacingClock
{
    double (*getSeconds)();                  // a steady clock, in seconds
    void (*waitMessage)(uint32_t milliseconds);  // returns early when a message arrives
};

extern const SPacingClock SYSTEM_PACING_CLOCK;

// The display rate assumed where the display cannot tell its own.
const double FALLBACK_REFRESH_RATE = 60.0;  // frames a second

class CFramePacer
{
public:
    // rate: frames a second at most, 0 for no limit. swapSynced: the driver
    // says the swaps wait for the display's refresh (at that rate).
    CFramePacer(double rate, bool swapSynced, const SPacingClock& clock = SYSTEM_PACING_CLOCK);

    // Called by the show's loop when no message waits. True when a frame may
    // be drawn now; otherwise waits until one may, or until a message
    // arrives, and returns false so that the loop looks at its queue first.
    bool WaitForFrame();
    // Called by the show's loop after each swap.
    void FrameShown();
    // True while frames are held to the clock.
    bool IsPacing() const { return m_pacing; }

private:
    SPacingClock m_clock;
    double m_period = 0;  // seconds between frames; 0: no limit
    bool m_pacing = false;
    double m_next = 0;  // when the next frame is due
    bool m_started = false;
    // While the swaps are trusted: when the current run of frames began and
    // how many it holds so far.
    double m_runStart = 0;
    int m_runFrames = 0;
};
