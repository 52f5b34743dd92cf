// The tiny fish: small and slim, silver with a bright blue-green stripe from
// the eye to the tail, in one mesh (body, fins and forked tail) that is never
// animated.
#include <cmath>

#include "../Bytes.h"
#include "../ImageFiles.h"
#include "FishKind.h"
#include "NodeFile.h"

namespace {

const SColor SILVER = Rgb(230, 236, 244);
const SColor BACK = Rgb(110, 136, 150);
const SColor STRIPE = Rgb(40, 240, 255);
const SColor BELLY = Rgb(240, 236, 230);
const SColor FIN = Rgb(220, 228, 236);

const double EYE_Y = 32, EYE_Z = 1.5, EYE_R = 3.2;

SBodyShape MakeShape()
{
    SBodyShape shape;
    shape.tail = SPoint3{0, -44, 1};
    shape.rings = {
        {-40, 5, -3, 2.5}, {-28, 8.5, -6, 4.5}, {-10, 12, -9.5, 6.5},
        {8, 12, -10, 7},   {24, 9.5, -8, 6},    {34, 6, -5.5, 4.2},
    };
    shape.nose = SPoint3{0, 44, -1};
    shape.sides = 8;
    shape.ringSteps = 1;
    shape.dorsal = {{1, -34, 16}, {2, -16, 21}};
    shape.anal = {{1, -36, -12}, {2, -18, -16}};
    return shape;
}

SColor PaintBody(const SBodyShape& shape, double y, double z)
{
    const SBodyShape::SSidePoint at = shape.Locate(y, z);
    if (at.part != SBodyShape::SSidePoint::BODY) {
        SColor c = Scale(FIN, FinRays(y, z, -24, 0, 4));
        c.a = 0.6;
        return c;
    }
    const double h = at.height;
    SColor c = Mix(BELLY, SILVER, SmoothStep(0.1, 0.4, h));
    c = Mix(c, BACK, SmoothStep(0.62, 0.9, h));
    c = Scale(c, ScaleShade(y, z, 2.5) * (0.95 + 0.08 * ValueNoise(y, z, 4, 41)));
    // The stripe runs from behind the eye to the tail root, a little above
    // the middle, brightest at its core.
    const double stripe = std::fabs(h - 0.6) * at.bodyDepth;
    const double along = SmoothStep(27, 22, y) * SmoothStep(-44, -36, y);
    c = Mix(c, STRIPE, along * SmoothStep(3.2, 1.6, stripe));
    c = Mix(c, Rgb(220, 255, 255), along * SmoothStep(0.8, 0.2, stripe) * 0.6);
    c = Mix(c, Rgb(120, 120, 130), SmoothStep(0.6, 0.2, std::fabs(z + 1.6)) * SmoothStep(40, 43, y));
    c = PaintEye(c, y, z, EYE_Y, EYE_Z, EYE_R, Rgb(200, 210, 220));
    c.a = 1;
    return c;
}

SColor PaintTail(double y, double z)
{
    SColor c = Scale(FIN, FinRays(y, z, -38, 0, 7));
    c = Mix(c, STRIPE, 0.5 * SmoothStep(3, 0.5, std::fabs(z)) * SmoothStep(-52, -44, y));
    c.a = Lerp(0.85, 0.5, SmoothStep(-44, -62, y));
    return c;
}

SColor PaintFin(double y, double z)
{
    SColor c = Scale(FIN, FinRays(y, z, 26, -4, 5));
    c.a = 0.55;
    return c;
}

// The pectoral fin of one side (x sign), a small two-sided triangle rooted on
// the flank behind the gill and standing out from it.
void AddPectoral(CMeshBuilder& mesh, const SBodyShape& shape, const SSkinRegion& region, double side)
{
    const int a = mesh.AddVertex(SPoint3{side * shape.SurfaceX(26, -3), 26, -3}, region);
    const int b = mesh.AddVertex(SPoint3{side * shape.SurfaceX(22, -5.5), 22, -5.5}, region);
    const int c = mesh.AddVertex(SPoint3{side * (shape.SurfaceX(13, -9) + 4.5), 13, -9}, region);
    mesh.AddTwoSidedTriangle(a, b, c);
}

}  // namespace

void WriteTinyFish(const std::string& root)
{
    const SBodyShape shape = MakeShape();
    const SSkinLayout layout = MakeSkinLayout(-45, 45, -17, 22, -64, -36, -15, 15, 12, 27, -10, -2);
    CMeshBuilder mesh;
    BuildBody(mesh, shape, layout.body);
    BuildSheet(mesh, layout.tail, 2, 4, [](double s, double t) {
        const double rootZ = Lerp(-2, 4, t);
        const double tipZ = Lerp(-13, 14, t);
        const double tipY = -52 - 10 * std::pow(std::fabs(2 * t - 1), 1.2);
        return SPoint3{0, Lerp(-37, tipY, s), rootZ + (tipZ - rootZ) * std::pow(s, 0.8)};
    });
    AddPectoral(mesh, shape, layout.fin, -1);
    AddPectoral(mesh, shape, layout.fin, 1);
    WriteOutputFile(root, "pack/sfish.mod", mesh.Encode("sfish", "sfish.tga"));

    WriteOutputFile(root, "pack/sfish.sca", EncodeNodeFile(SNode{"sfish", BODY_NODE.x, BODY_NODE.y, BODY_NODE.z, "sfish.mod", {}}));
    const CImage skin = PaintSkin(layout, [shape](double y, double z) { return PaintBody(shape, y, z); }, PaintTail, PaintFin);
    WriteOutputFile(root, "pack/sfish.tga", EncodeTgaTrueColor(skin, 32));
}
