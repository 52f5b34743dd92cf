#include "render/EmissionClock.h"

#include <cstdint>

uint32_t SEmissionClock::Advance(double dt)
{
    clock += dt;
    const int64_t intervals = static_cast<int64_t>((clock - lastEmission) / interval);
    due = static_cast<uint32_t>(intervals);
    lastEmission += static_cast<double>(intervals) * interval;
    return due;
}
