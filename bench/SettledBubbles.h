#pragma once
// Brings the process's bubble store to its working size before a benchmark
// measures anything: the stream runs for 15 s of scene time, after which about
// a thousand bubbles are live, as in a show that has run for a while.
#include "render/Bubbles.h"
#include "render/BubbleSystem.h"

inline SEmissionClock SettleBubbles()
{
    SEmissionClock emission;
    emission.interval = 0.05;
    for (int i = 0; i < 150; ++i) {
        EmitBubbles(emission, 0.1);
        GetBubbleSystem().Update(0.1);
    }
    return emission;
}
