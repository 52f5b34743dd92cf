// Processor time of the scene's own per-frame work without any GL call: the
// ripple field rebuild, the background grid and a thousand bubble corners
// through the ripples, the bubble stream and store update, and the caustic
// reads of the rays. The GL calls' share is in SceneBench against FloorBench.
#include <benchmark/benchmark.h>

#include "SettledBubbles.h"
#include "app/Random.h"
#include "app/Settings.h"
#include "render/BubbleSystem.h"
#include "render/Bubbles.h"
#include "render/Ripple.h"

namespace {
const int GRID = 64;

void SetUpWater()
{
    SeedRandom(1);
    SetDefaultSettings();
    BuildRippleSineTable();
}

void BM_UpdateRippleField(benchmark::State& state)
{
    SetUpWater();
    double t = 0.0;
    for (auto _ : state) {
        UpdateRippleField(t);
        t += 0.016;
    }
}
BENCHMARK(BM_UpdateRippleField);

// One frame's water work at 60 frames per second with the store settled.
void BM_FrameWaterWork(benchmark::State& state)
{
    SetUpWater();
    SEmissionClock emission = SettleBubbles();
    const double dt = 1.0 / 60.0;
    double t = 0.0;
    float sink = 0.0f;
    for (auto _ : state) {
        t += dt;
        UpdateRippleField(t);
        for (int r = 0; r < GRID; ++r) {
            for (int k = 0; k <= GRID; ++k) {
                float x, y;
                RippleDisplace(static_cast<float>(k) / GRID, static_cast<float>(r) / GRID, x, y);
                sink += x;
                RippleDisplace(static_cast<float>(k) / GRID, static_cast<float>(r + 1) / GRID, x, y);
                sink += y;
            }
        }
        EmitBubbles(emission, dt);
        CBubbleSystem& bubbles = GetBubbleSystem();
        bubbles.Update(dt);
        for (uint32_t i = 0; i < bubbles.GetCount(); ++i) {
            const SBubble& b = bubbles.GetBubble(i);
            for (int corner = 0; corner < 4; ++corner) {
                float x, y;
                RippleDisplace(b.x + (corner & 1 ? b.size : -b.size), b.y + (corner & 2 ? b.size : -b.size), x, y);
                sink += x;
            }
        }
    }
    benchmark::DoNotOptimize(sink);
    state.counters["bubbles"] = GetBubbleSystem().GetCount();
}
BENCHMARK(BM_FrameWaterWork)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
