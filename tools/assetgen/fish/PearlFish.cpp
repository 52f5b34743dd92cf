// The pearl fish: a round, silvery-white body with a pearly sheen that
// shifts from rose to blue-green, faint pearl dots, and tall, flowing,
// translucent fins and tail.
#include <cmath>

#include "FishKind.h"

namespace {

const SColor PEARL = Rgb(238, 238, 244);
const SColor ROSE = Rgb(255, 200, 226);
const SColor AQUA = Rgb(184, 240, 236);
const SColor LILAC = Rgb(212, 204, 255);
const SColor BACK = Rgb(170, 180, 200);
const SColor SHADE = Rgb(120, 124, 150);

const double EYE_Y = 36, EYE_Z = 2, EYE_R = 5.5;

SBodyShape MakeShape()
{
    SBodyShape shape;
    shape.tail = SPoint3{0, -84, 7};
    shape.rings = {
        {-78, 12, 2, 3.5},   {-66, 20, -6, 6.5},  {-46, 34, -22, 12.5}, {-22, 41, -32, 16},
        {4, 40, -33, 17},    {24, 33, -26, 15},   {40, 20, -15, 10.5},
    };
    shape.nose = SPoint3{0, 53, -2};
    shape.dorsal = {{1, -86, 42}, {2, -62, 66}, {3, -36, 66}, {4, -8, 52}};
    shape.anal = {{1, -88, -34}, {2, -60, -58}, {3, -32, -56}, {4, -2, -42}};
    return shape;
}

// Iridescence: the hue drifts with the slant across the body.
SColor Sheen(double y, double z)
{
    const double phase = 0.045 * (y + 0.8 * z);
    const double a = 0.5 + 0.5 * std::sin(phase);
    const double b = 0.5 + 0.5 * std::sin(phase * 1.7 + 2.0);
    return Mix(Mix(ROSE, AQUA, a), LILAC, b * 0.5);
}

SColor PaintFinMembrane(double toEdge, double y, double z)
{
    SColor c = Mix(PEARL, Sheen(y, z), 0.7);
    c = Scale(c, FinRays(y, z, -20, 0, 7));
    c = Mix(c, Rgb(255, 255, 255), SmoothStep(3, 0.5, toEdge) * 0.5);
    c.a = Lerp(0.8, 0.3, SmoothStep(14, 0, toEdge));
    return c;
}

SColor PaintBody(const SBodyShape& shape, double y, double z)
{
    const SBodyShape::SSidePoint at = shape.Locate(y, z);
    if (at.part != SBodyShape::SSidePoint::BODY)
        return PaintFinMembrane(at.toFinEdge, y, z);

    const double h = at.height;
    SColor c = Mix(PEARL, Sheen(y, z), 0.55);
    c = Mix(c, BACK, SmoothStep(0.75, 1.0, h) * 0.6);
    c = Scale(c, ScaleShade(y, z, 4) * (0.95 + 0.08 * ValueNoise(y, z, 6, 31)));
    // Pearl dots: a lattice of small bright spots with soft grey rims.
    const double cell = 6.5;
    const double row = std::floor(z / cell);
    const double dy = std::fmod(std::fabs(y / cell + (static_cast<int>(row) % 2 ? 0.5 : 0.0)), 1.0) - 0.5;
    const double dz = z / cell - row - 0.5;
    const double dot = std::hypot(dy, dz) * cell;
    const double dotted = SmoothStep(-30, -10, -std::fabs(y + 12)) * SmoothStep(0.1, 0.3, h) * SmoothStep(0.95, 0.8, h);
    c = Mix(c, SHADE, 0.35 * dotted * SmoothStep(2.2, 1.6, dot));
    c = Mix(c, Rgb(255, 255, 255), dotted * SmoothStep(1.5, 0.9, dot));
    // Gill cover and mouth.
    const double gill = std::fabs(std::hypot(y - 48, z - EYE_Z) - 19);
    c = Mix(c, SHADE, 0.45 * SmoothStep(1.2, 0.2, gill) * SmoothStep(0.1, 0.3, h) * SmoothStep(0.9, 0.7, h));
    c = Mix(c, SHADE, SmoothStep(0.9, 0.3, std::fabs(z + 3)) * SmoothStep(48, 51, y));
    c = PaintEye(c, y, z, EYE_Y, EYE_Z, EYE_R, Rgb(230, 120, 90));
    c.a = 1;
    return c;
}

SColor PaintTail(double y, double z)
{
    SColor c = Scale(Mix(PEARL, Sheen(y, z), 0.7), FinRays(y, z, 6, 0, 9));
    c.a = Lerp(0.85, 0.3, SmoothStep(-6, -48, y - 0.15 * std::fabs(z)));
    return c;
}

SColor PaintFin(double y, double z)
{
    SColor c = Scale(Mix(PEARL, Sheen(y, z), 0.6), FinRays(y, z, 2, 0, 6));
    c.a = Lerp(0.8, 0.4, SmoothStep(-4, -38, y));
    return c;
}

}  // namespace

SFinnedFish MakePearlFish()
{
    SFinnedFish fish;
    fish.nodeFile = "pfish.sca";
    fish.bodyMesh = "pfish.mod";
    fish.tailMesh = "phvost.mod";
    fish.finMesh = "pplavnik.mod";
    fish.skin = "pfish.tga";
    fish.leftFin = SPoint3{0, 30, -10};
    fish.tail = SPoint3{0, -79.8, 7};
    fish.body = MakeShape();
    fish.tailSheet = SSheet{2, 4, [](double s, double t) {
        const double rootZ = Lerp(-6, 6, t);
        const double tipZ = Lerp(-36, 34, t);
        const double tipY = -36 - 12 * std::sin(M_PI * t);
        return SPoint3{0, Lerp(5, tipY, s), rootZ + (tipZ - rootZ) * std::pow(s, 0.6)};
    }};
    fish.finSheet = SSheet{2, 2, [](double s, double t) {
        const double rootZ = Lerp(-3, 3, t);
        const double tipZ = Lerp(-12, 14, t);
        const double tipY = -30 - 10 * std::sin(M_PI * t);
        return SPoint3{0, Lerp(0, tipY, s), rootZ + (tipZ - rootZ) * std::pow(s, 0.7)};
    }};
    fish.layout = MakeSkinLayout(-89, 54, -59, 67, -50, 6, -37, 35, -41, 1, -13, 15);
    const SBodyShape shape = fish.body;
    fish.paintBody = [shape](double y, double z) { return PaintBody(shape, y, z); };
    fish.paintTail = PaintTail;
    fish.paintFin = PaintFin;
    return fish;
}
