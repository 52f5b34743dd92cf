#include "FishKind.h"

#include <cstdio>
#include <cstdlib>

#include "../Bytes.h"
#include "../ImageFiles.h"
#include "NodeFile.h"

namespace {

// Well inside the loader's limits (2048 triangles, three corners each): the
// fish's frame time grows with their triangles.
const int MAX_VERTICES = 400;
const int MAX_TRIANGLES = 512;

void WriteMesh(const std::string& root, const std::string& name, const CMeshBuilder& mesh, const std::string& skin)
{
    if (mesh.GetVertexCount() > MAX_VERTICES || mesh.GetTriangleCount() > MAX_TRIANGLES) {
        std::fprintf(stderr, "%s: %d vertices, %d triangles: over the limit\n", name.c_str(), mesh.GetVertexCount(),
                     mesh.GetTriangleCount());
        std::exit(1);
    }
    const std::string object = name.substr(0, name.find('.'));
    WriteOutputFile(root, "pack/" + name, mesh.Encode(object, skin));
}

CMeshBuilder BuildSheetMesh(const SSheet& sheet, const SSkinRegion& region)
{
    CMeshBuilder mesh;
    BuildSheet(mesh, region, sheet.rows, sheet.columns, sheet.shape);
    return mesh;
}

}  // namespace

void WriteFinnedFish(const std::string& root, const SFinnedFish& fish)
{
    CMeshBuilder body;
    BuildBody(body, fish.body, fish.layout.body);
    WriteMesh(root, fish.bodyMesh, body, fish.skin);
    WriteMesh(root, fish.tailMesh, BuildSheetMesh(fish.tailSheet, fish.layout.tail), fish.skin);
    WriteMesh(root, fish.finMesh, BuildSheetMesh(fish.finSheet, fish.layout.fin), fish.skin);

    const double k = 0.005;  // node scale: model units per mesh unit
    // The fins grow from the flank, wherever the body's width puts it.
    const double finX = -fish.body.SurfaceX(fish.leftFin.y, fish.leftFin.z);
    SNode node{"fish", BODY_NODE.x, BODY_NODE.y, BODY_NODE.z, fish.bodyMesh, {}};
    node.children.push_back(SNode{"left_plavnik", finX * k, fish.leftFin.y * k, fish.leftFin.z * k, fish.finMesh, {}});
    node.children.push_back(
        SNode{"right_plavnik", -finX * k, fish.leftFin.y * k, fish.leftFin.z * k, fish.finMesh, {}});
    node.children.push_back(SNode{"hvost", fish.tail.x * k, fish.tail.y * k, fish.tail.z * k, fish.tailMesh, {}});
    WriteOutputFile(root, "pack/" + fish.nodeFile, EncodeNodeFile(node));

    const CImage skin = PaintSkin(fish.layout, fish.paintBody, fish.paintTail, fish.paintFin);
    WriteOutputFile(root, "pack/" + fish.skin, EncodeTgaTrueColor(skin, 32));
}
