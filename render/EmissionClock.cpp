#include "render/EmissionClock.h"

#include <cstdint>

uint32_t SEmissionClock::Advance(double dt)
{
    // A step back in time, or no time at all (NaN), completes nothing; read
    // as a count, it would have been four billion intervals.
    if (!(dt > 0.0)) {
        due = 0;
        return 0;
    }
    clock += dt;
    const int64_t intervals = static_cast<int64_t>((clock - lastEmission) / interval);
    due = static_cast<uint32_t>(intervals);
    lastEmission += static_cast<double>(intervals) * interval;
    return due;
}
