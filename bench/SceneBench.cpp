// The frame rate of the scene, and the processor time of our own per-frame
// work (ripple field, fish, bubbles, rays and the GL calls we issue; the swap
// excluded), with the bubble store settled near a thousand bubbles. Without
// fish by default; compare with FloorBench at the same size, in the same
// session, and with bench/run-fish.sh for the fish. Given a kind (yellow,
// blue, pearl or tiny), all the fish are of that kind, four times the count.
//
//     bench_SceneBench [WIDTHxHEIGHT] [runs] [seconds] [fish of each kind] [kind]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "BenchWindow.h"
#include "SettledBubbles.h"
#include "app/Random.h"
#include "app/Settings.h"
#include "assets/Pack.h"
#include "render/BubbleSystem.h"
#include "render/Bubbles.h"
#include "render/GLDrawer.h"

int main(int argc, char** argv)
{
    const SBenchOptions options(argc, argv);
    const int fishPerKind = argc > 4 ? std::max(0, std::atoi(argv[4])) : 0;
    SeedRandom(1);
    SetDefaultSettings();
    int* const counts[] = {&g_Settings.YellowFishCount, &g_Settings.BlueFishCount, &g_Settings.PearlFishCount,
                           &g_Settings.TinyFishCount};
    const char* const kinds[] = {"yellow", "blue", "pearl", "tiny"};
    const char* const onlyKind = argc > 5 ? argv[5] : nullptr;
    for (int k = 0; k < 4; ++k) {
        if (!onlyKind)
            *counts[k] = fishPerKind;
        else
            *counts[k] = std::strcmp(onlyKind, kinds[k]) == 0 ? 4 * fishPerKind : 0;
    }
    if (!LoadResourcePack(PACK_RESOURCE_ID)) {
        std::fprintf(stderr, "the resource pack cannot be loaded\n");
        return 1;
    }
    CBenchWindow window(options.width, options.height);
    CSmartPtr<CGLDrawer> drawer = new CSmartPtrWrap<CGLDrawer>();
    drawer->Init();
    SettleBubbles();

    std::vector<double> rates, cpu, process;
    for (int run = 0; run < options.runs; ++run) {
        const SBenchFigures figures = window.Run(options.seconds, [&] { drawer->Draw(); });
        rates.push_back(figures.framesPerSecond);
        cpu.push_back(figures.cpuMsPerFrame);
        process.push_back(figures.processMsPerFrame);
    }
    std::printf("scene %dx%d: %.1f fps, %.3f ms of frame work per frame with %u bubbles "
                "(medians of %d runs of %.1f s), fish yellow/blue/pearl/tiny %d/%d/%d/%d, "
                "%.3f ms of processor time per frame in all threads\n",
                options.width, options.height, Median(rates), Median(cpu), GetBubbleSystem().GetCount(), options.runs,
                options.seconds, *counts[0], *counts[1], *counts[2], *counts[3], Median(process));
    return 0;
}
