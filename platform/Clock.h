#pragma once
// Clocks of the machine: the millisecond tick clock and the high-resolution
// performance counter. The frame timer and the random seed read them.
#include <cstdint>

// Milliseconds since an arbitrary start; wraps after 2^32 ms like the host's
// multimedia timer, so callers subtract as unsigned 32-bit values.
uint32_t SysGetTickCount();

// Counts per second of the performance counter; false when there is none.
bool SysQueryPerformanceFrequency(int64_t* frequency);

// Current value of the performance counter; false when there is none.
bool SysQueryPerformanceCounter(int64_t* count);

// Gives up the processor for at least this many milliseconds (0: yield once).
void SysSleep(uint32_t milliseconds);
