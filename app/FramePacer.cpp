#include "app/FramePacer.h"

#include <cmath>

#include "platform/Clock.h"
#include "platform/Window.h"

namespace {

// Swaps are trusted only while a run of this many frames takes at least this
// share of the time the display needs to show them: a driver that claims to
// wait for the refresh but returns at once is caught within a second or so.
const int WATCH_FRAMES = 60;
const double WATCH_SHARE = 0.8;  // 0-1

double GetMachineSeconds()
{
    int64_t frequency = 0, count = 0;
    if (SysQueryPerformanceFrequency(&frequency) && frequency > 0 && SysQueryPerformanceCounter(&count))
        return static_cast<double>(count) / static_cast<double>(frequency);
    return SysGetTickCount() / 1000.0;
}

}  // namespace

const SPacingClock SYSTEM_PACING_CLOCK = {GetMachineSeconds, SysWaitMessage};

CFramePacer::CFramePacer(double rate, bool swapSynced, const SPacingClock& clock) : m_clock(clock)
{
    if (rate > 0) {
        m_period = 1.0 / rate;
        m_pacing = !swapSynced;
    }
}

bool CFramePacer::WaitForFrame()
{
    if (!m_pacing)
        return true;
    const double now = m_clock.getSeconds();
    // The first frame, a deadline missed by more than a period (a stall, a
    // stopped process, a rest while unseen) or a clock that went back: the
    // schedule starts again from now instead of catching up.
    if (!m_started || now - m_next > m_period || m_next - now > m_period) {
        m_next = now;
        m_started = true;
    }
    if (now >= m_next)
        return true;
    // Rounded up: a wait that ends a little late costs nothing, since the
    // next deadline still follows this one by exactly a period.
    m_clock.waitMessage(static_cast<uint32_t>(std::ceil((m_next - now) * 1000.0)));
    return false;
}

void CFramePacer::FrameShown()
{
    if (m_pacing) {
        m_next += m_period;
        return;
    }
    if (m_period == 0)
        return;
    const double now = m_clock.getSeconds();
    if (m_runFrames++ == 0) {
        m_runStart = now;
        return;
    }
    if (m_runFrames <= WATCH_FRAMES)
        return;
    // The run's frames came faster than the display could have shown them.
    if (now - m_runStart < WATCH_FRAMES * m_period * WATCH_SHARE)
        m_pacing = true;
    m_runStart = now;
    m_runFrames = 1;
}
