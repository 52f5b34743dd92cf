#pragma once
// A clock that turns frame steps into a whole number of events at a fixed
// interval, carrying the remainder to the next frame. The renderer times its
// bubble groups with one; each blue fish times its breaths with another.
#include <cstdint>

struct SEmissionClock
{
    double clock = 0.0;         // seconds of accumulated steps
    double lastEmission = 0.0;  // the last interval boundary reached
    double interval = 1.0;      // seconds between events
    uint32_t due = 0;           // events due in the current frame

    // Adds the frame's step and returns how many intervals were completed
    // (also kept in due).
    uint32_t Advance(double dt);
};
