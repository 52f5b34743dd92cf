// Start-up cost of the fish: loading the four shared models from the pack
// (node files, meshes, normals, and each mesh's skin decoded and uploaded),
// as the first fish of each kind does. Needs a display for the GL context:
//   xvfb-run -a build/bench/bench_FishModelBench
#include <benchmark/benchmark.h>

#include "BenchWindow.h"
#include "assets/Model.h"
#include "assets/Pack.h"

namespace {

struct SKindModel
{
    const char* nodeFile;
    const char* rootNode;
};
const SKindModel KINDS[4] = {
    {"fish.sca", "fish"}, {"bfish.sca", "fish"}, {"pfish.sca", "fish"}, {"sfish.sca", "sfish"}};

// Each load makes new textures; they go after each round so GL memory stays flat.
void DeleteTextures(const CMesh& node)
{
    const GLuint texture = node.GetTexture();
    glDeleteTextures(1, &texture);
    for (size_t i = 0; i < node.GetChildCount(); ++i)
        DeleteTextures(node.GetChild(i));
}

void BM_LoadFishModels(benchmark::State& state)
{
    if (!LoadResourcePack(PACK_RESOURCE_ID)) {
        state.SkipWithError("the embedded pack does not load");
        return;
    }
    CBenchWindow window(64, 64);
    for (auto _ : state) {
        CModel models[4];
        for (int kind = 0; kind < 4; ++kind)
            if (!models[kind].Load(KINDS[kind].nodeFile))
                state.SkipWithError("a fish model does not load");
        state.PauseTiming();
        for (int kind = 0; kind < 4; ++kind)
            if (const CMesh* root = models[kind].FindNode(KINDS[kind].rootNode))
                DeleteTextures(*root);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadFishModels)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
