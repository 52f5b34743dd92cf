#include "app/FrameTimer.h"

CFrameTimer::CFrameTimer(const SFrameClock& clock) : m_clock(clock)
{
    Start();
}

void CFrameTimer::Start()
{
    // A counter that answers with no frequency could not be turned into time.
    int64_t frequency = 0;
    m_mode = m_clock.queryFrequency(&frequency) && frequency > 0 ? MODE_COUNTER : MODE_TICKS;
    if (m_mode == MODE_COUNTER) {
        m_frequency = frequency;
        m_msPerCount = 1.0 / static_cast<double>(frequency) * 1000.0;
    }
    Restart();
}

void CFrameTimer::Restart()
{
    if (m_mode == MODE_COUNTER)
        m_clock.queryCounter(&m_startCount);
    else
        m_startTick = m_clock.getTickCount();
}

double CFrameTimer::GetElapsed() const
{
    if (m_mode == MODE_COUNTER) {
        int64_t now = m_startCount;
        m_clock.queryCounter(&now);
        return static_cast<double>(now - m_startCount) * m_msPerCount;
    }
    // Unsigned 32-bit subtraction stays right across the wrap at 2^32 ms.
    const uint32_t elapsed = m_clock.getTickCount() - m_startTick;
    return static_cast<double>(elapsed);
}
