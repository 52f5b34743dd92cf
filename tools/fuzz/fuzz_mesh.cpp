// Feeds arbitrary bytes to the mesh reader, as a mesh entry whose skin
// exists; a mesh that loads has every index inside its arrays.
#include "assets/Mesh.h"
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
    FillFuzzPack("fuzz.mod", data, size);
    {
        CMesh mesh;
        if (mesh.Load("fuzz.mod")) {
            for (size_t i = 0; i < mesh.GetTriangleCount(); ++i)
                for (int corner = 0; corner < 3; ++corner) {
                    const STriangle& triangle = mesh.GetTriangle(static_cast<int32_t>(i));
                    mesh.GetVertex(triangle.vertex[corner]);
                    mesh.GetNormal(triangle.normal[corner]);
                }
        }
    }
    DeleteFuzzTextures();
    return 0;
}
