// Both clocks read the monotonic clock, which never jumps with the wall time.
#include "platform/Clock.h"

#include <cerrno>
#include <sched.h>
#include <time.h>

namespace {

const int64_t NANOSECONDS_PER_SECOND = 1000000000;

int64_t ReadMonotonicNanoseconds()
{
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * NANOSECONDS_PER_SECOND + now.tv_nsec;
}

}  // namespace

uint32_t SysGetTickCount()
{
    return static_cast<uint32_t>(ReadMonotonicNanoseconds() / 1000000);
}

bool SysQueryPerformanceFrequency(int64_t* frequency)
{
    *frequency = NANOSECONDS_PER_SECOND;
    return true;
}

bool SysQueryPerformanceCounter(int64_t* count)
{
    *count = ReadMonotonicNanoseconds();
    return true;
}

void SysSleep(uint32_t milliseconds)
{
    if (milliseconds == 0) {
        sched_yield();
        return;
    }
    timespec wait = {static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000};
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {}
}
