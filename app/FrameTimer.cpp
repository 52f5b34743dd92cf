#include "app/FrameTimer.h"

#include "platform/Clock.h"

void CFrameTimer::Start()
{
    m_useCounter = SysQueryPerformanceFrequency(&m_frequency) && m_frequency > 0;
    if (m_useCounter)
        m_msPerCount = 1.0 / static_cast<double>(m_frequency) * 1000.0;
    Restart();
}

double CFrameTimer::GetElapsed() const
{
    if (m_useCounter)
    {
        int64_t now = 0;
        SysQueryPerformanceCounter(&now);
        return static_cast<double>(now - m_startCount) * m_msPerCount;
    }
    // Unsigned 32-bit difference: stays right across the tick clock's wrap.
    const uint32_t ticks = SysGetTickCount() - m_startTick;
    return static_cast<double>(ticks);
}

void CFrameTimer::Restart()
{
    if (m_useCounter)
        SysQueryPerformanceCounter(&m_startCount);
    else
        m_startTick = SysGetTickCount();
}
