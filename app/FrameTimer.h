#pragma once
// Milliseconds since a start point, as a double, from the best clock the
// machine has: the high-resolution counter, or else the millisecond tick clock
// (whose 32-bit wrap it survives). Raw time: no smoothing, no clamping; the
// renderer turns it into its frame step.
#include <cstdint>

#include "platform/Clock.h"

// The clocks a frame timer reads. The machine's by default; a test hands in
// its own to drive the timer across the tick clock's wrap.
struct SFrameClock
{
    bool (*queryFrequency)(int64_t* frequency);
    bool (*queryCounter)(int64_t* count);
    uint32_t (*getTickCount)();
};

const SFrameClock SYSTEM_FRAME_CLOCK = {SysQueryPerformanceFrequency, SysQueryPerformanceCounter, SysGetTickCount};

class CFrameTimer
{
public:
    // Starts at once (CFrameTimer::Start).
    explicit CFrameTimer(const SFrameClock& clock = SYSTEM_FRAME_CLOCK);

    // Chooses the clock and records the start.
    void Start();
    // Records a new start on the clock already chosen.
    void Restart();
    // Milliseconds since the start; never negative.
    double GetElapsed() const;
    // True on the high-resolution counter, false on the tick clock.
    bool UsesCounter() const { return m_mode == MODE_COUNTER; }

private:
    enum EMode
    {
        MODE_TICKS = 0,
        MODE_COUNTER = 1
    };

    SFrameClock m_clock;
    EMode m_mode = MODE_TICKS;
    int64_t m_frequency = 0;  // counts per second
    double m_msPerCount = 0.0;
    int64_t m_startCount = 0;  // counter mode
    uint32_t m_startTick = 0;  // tick mode
};
