// The blue fish: long and sleek, with a deeply forked tail, a dark blue back,
// bright flanks, a pale belly and a dark line along its side.
#include <cmath>

#include "FishKind.h"

namespace {

const SColor BACK = Rgb(28, 70, 178);
const SColor FLANK = Rgb(56, 150, 255);
const SColor BELLY = Rgb(218, 238, 255);
const SColor LINE = Rgb(10, 24, 70);
const SColor FIN = Rgb(60, 150, 255);

const double EYE_Y = 47, EYE_Z = 3, EYE_R = 4.5;

SBodyShape MakeShape()
{
    SBodyShape shape;
    shape.tail = SPoint3{0, -80, 12};
    shape.rings = {
        {-74, 17, 7, 3},     {-62, 20, 3, 5.5},  {-44, 26, -7, 10},  {-20, 30, -15, 14},
        {4, 28, -17, 14.5},  {24, 22, -15, 13},  {40, 14, -10, 10},  {52, 7, -6, 6},
    };
    shape.nose = SPoint3{0, 64, -1};
    shape.dorsal = {{2, -56, 36}, {3, -34, 45}, {4, -4, 38}};
    shape.anal = {{1, -70, -6}, {2, -56, -19}};
    return shape;
}

SColor PaintFinMembrane(double toEdge, double y, double z)
{
    SColor c = Scale(FIN, FinRays(y, z, -10, 0, 6));
    c = Mix(c, LINE, SmoothStep(2.5, 0.8, toEdge) * 0.8);
    c.a = Lerp(0.92, 0.6, SmoothStep(6, 0, toEdge));
    return c;
}

SColor PaintBody(const SBodyShape& shape, double y, double z)
{
    const SBodyShape::SSidePoint at = shape.Locate(y, z);
    if (at.part != SBodyShape::SSidePoint::BODY)
        return PaintFinMembrane(at.toFinEdge, y, z);

    const double h = at.height;
    SColor c = Mix(BELLY, FLANK, SmoothStep(0.12, 0.5, h));
    c = Mix(c, BACK, SmoothStep(0.65, 1.0, h));
    c = Scale(c, ScaleShade(y, z, 4) * (0.92 + 0.12 * ValueNoise(y, z, 9, 23)));
    // Lateral line, following the back at a fixed fraction of the height.
    c = Mix(c, LINE, 0.7 * SmoothStep(0.06, 0.02, std::fabs(h - 0.62)) * SmoothStep(52, 40, y));
    // A few darker speckles on the upper flank.
    c = Mix(c, BACK, 0.5 * SmoothStep(0.75, 0.85, ValueNoise(y, z, 3, 5)) * SmoothStep(0.45, 0.7, h));
    // Gill cover and mouth.
    const double gill = std::fabs(std::hypot(y - 58, z - EYE_Z) - 17);
    c = Mix(c, LINE, 0.5 * SmoothStep(1.2, 0.2, gill) * SmoothStep(0.15, 0.35, h) * SmoothStep(0.9, 0.7, h));
    c = Mix(c, LINE, SmoothStep(0.9, 0.3, std::fabs(z + 2)) * SmoothStep(59, 62, y));
    c = PaintEye(c, y, z, EYE_Y, EYE_Z, EYE_R, Rgb(210, 220, 230));
    c.a = 1;
    return c;
}

SColor PaintTail(double y, double z)
{
    SColor c = Scale(FIN, FinRays(y, z, 6, 0, 8));
    // Pale tips on the two lobes.
    const double lobe = SmoothStep(-30, -42, y) * SmoothStep(12, 22, std::fabs(z));
    c = Mix(c, Rgb(200, 235, 255), lobe);
    c = Mix(c, BACK, SmoothStep(-6, 4, y) * 0.6);
    c.a = Lerp(0.95, 0.65, SmoothStep(-14, -40, y));
    return c;
}

SColor PaintFin(double y, double z)
{
    SColor c = Mix(Scale(FIN, FinRays(y, z, 2, 0, 6)), BELLY, 0.35);
    c.a = Lerp(0.85, 0.5, SmoothStep(-4, -28, y));
    return c;
}

}  // namespace

SFinnedFish MakeBlueFish()
{
    SFinnedFish fish;
    fish.nodeFile = "bfish.sca";
    fish.bodyMesh = "bfish.mod";
    fish.tailMesh = "bhvost.mod";
    fish.finMesh = "bplavnik.mod";
    fish.skin = "bfish.tga";
    fish.leftFin = SPoint3{0, 24, -10};
    fish.tail = SPoint3{0, -76, 12};
    fish.body = MakeShape();
    fish.tailSheet = SSheet{2, 4, [](double s, double t) {
        const double rootZ = Lerp(-5, 5, t);
        const double tipZ = Lerp(-30, 30, t);
        const double tipY = -20 - 26 * std::pow(std::fabs(2 * t - 1), 1.3);
        return SPoint3{0, Lerp(5, tipY, s), rootZ + (tipZ - rootZ) * std::pow(s, 0.8)};
    }};
    fish.finSheet = SSheet{2, 2, [](double s, double t) {
        const double rootZ = Lerp(-2, 3, t);
        const double tipZ = Lerp(-5, 7, t);
        const double tipY = -12 - 20 * std::pow(t, 1.4);
        return SPoint3{0, Lerp(0, tipY, s), rootZ + (tipZ - rootZ) * s};
    }};
    fish.layout = MakeSkinLayout(-81, 65, -20, 46, -47, 6, -31, 31, -33, 1, -6, 8);
    const SBodyShape shape = fish.body;
    fish.paintBody = [shape](double y, double z) { return PaintBody(shape, y, z); };
    fish.paintTail = PaintTail;
    fish.paintFin = PaintFin;
    return fish;
}
