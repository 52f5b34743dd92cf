// Frames per second of the show's loop with a bare clear: the ceiling the
// full-screen window, the clear and the buffer swap leave for the scene.
// Run by hand under the display to measure (xvfb-run -a -s "-screen 0 1280x1024x24").
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include "fish/SmartPtr.h"
#include "render/SaverWnd.h"

static void EmptySeaFrame(benchmark::State& state)
{
    CSmartPtr<CSaverWnd> window = new CSmartPtrWrap<CSaverWnd>();
    if (!window->Create()) {
        state.SkipWithError("no window: is there a display?");
        return;
    }
    glClearColor(0.0f, 0.12f, 0.25f, 1.0f);
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        window->SwapBuffers();
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(EmptySeaFrame)->UseRealTime()->MinTime(2.0);

BENCHMARK_MAIN();
