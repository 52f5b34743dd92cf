#pragma once
// Milliseconds since a start point, on the best clock the machine has: the
// high-resolution counter, or the millisecond tick clock where there is none.
// Raw readings only: no smoothing and no limits (the renderer limits its steps).
#include <cstdint>

class CFrameTimer
{
public:
    CFrameTimer() { Start(); }

    // Chooses the clock and takes the start point.
    void Start();
    // Milliseconds since the start; fractions only on the high-resolution counter.
    double GetElapsed() const;
    // Takes a new start point on the clock chosen by Start.
    void Restart();

private:
    int64_t m_frequency = 0;            // counts per second
    double m_msPerCount = 0.0;
    uint32_t m_startTick = 0;           // tick mode
    int64_t m_startCount = 0;           // counter mode
    bool m_useCounter = false;
};
