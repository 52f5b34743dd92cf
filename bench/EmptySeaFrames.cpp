// Frames per second of the show's loop with nothing but the empty sea: the
// ceiling the window, the clear and the buffer swap leave for the scene.
// Run by hand under the display to measure (xvfb-run -a -s "-screen 0 1280x1024x24").
#include <benchmark/benchmark.h>

#include "fish/SmartPtr.h"
#include "render/EmptySea.h"
#include "render/SaverWnd.h"

static void EmptySeaFrame(benchmark::State& state)
{
    CSmartPtr<CSaverWnd> window = new CSmartPtrWrap<CSaverWnd>();
    if (!window->Create()) {
        state.SkipWithError("no window: is there a display?");
        return;
    }
    for (auto _ : state) {
        DrawEmptySea();
        window->SwapBuffers();
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(EmptySeaFrame)->UseRealTime()->MinTime(2.0);

BENCHMARK_MAIN();
