// Feeds arbitrary bytes to the scene-node reader, as a node entry whose
// meshes may name "a.mod"; a tree that loads can be drawn.
#include "assets/Model.h"
#include "tools/fuzz/FuzzGL.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    MakeFuzzGLContext();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > UINT32_MAX)
        return 0;
    FillFuzzPack("fuzz.sca", data, size);
    {
        CModel model;
        if (model.Load("fuzz.sca") && !model.Draw())
            std::abort();
    }
    DeleteFuzzTextures();
    return 0;
}
