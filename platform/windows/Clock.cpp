// The host's own clocks: the multimedia timer's millisecond tick (the random
// seed, the frame timer's fall-back) and the high-resolution counter.
#include <windows.h>

#include <mmsystem.h>

#include "platform/Clock.h"

uint32_t SysGetTickCount()
{
    return timeGetTime();
}

bool SysQueryPerformanceFrequency(int64_t* frequency)
{
    LARGE_INTEGER value;
    if (!QueryPerformanceFrequency(&value) || value.QuadPart <= 0)
        return false;
    *frequency = value.QuadPart;
    return true;
}

bool SysQueryPerformanceCounter(int64_t* count)
{
    LARGE_INTEGER value;
    if (!QueryPerformanceCounter(&value))
        return false;
    *count = value.QuadPart;
    return true;
}

void SysSleep(uint32_t milliseconds)
{
    Sleep(milliseconds);
}
