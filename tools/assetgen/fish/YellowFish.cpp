// The yellow fish: a deep-bodied reef fish with a pointed snout, a long
// dorsal and anal fin, a rounded tail, a black bar through the eye and dark
// bands across the body.
#include <cmath>

#include "FishKind.h"

namespace {

const SColor YELLOW = Rgb(255, 206, 26);
const SColor BELLY = Rgb(255, 238, 150);
const SColor BACK = Rgb(236, 150, 12);
const SColor BAND = Rgb(92, 48, 10);
const SColor BLACK = Rgb(18, 14, 12);
const SColor WHITE = Rgb(250, 248, 235);

const double EYE_Y = 33, EYE_Z = 5, EYE_R = 5;

SBodyShape MakeShape()
{
    SBodyShape shape;
    shape.tail = SPoint3{0, -76, 0};
    shape.rings = {
        {-70, 8, -8, 3.5},  {-58, 17, -15, 6.5}, {-38, 34, -30, 12.5}, {-14, 43, -37, 17},
        {10, 40, -35, 18},  {28, 28, -26, 15},   {38, 13, -15, 10},
    };
    shape.nose = SPoint3{0, 51, -4};
    shape.dorsal = {{1, -73, 30}, {2, -54, 55}, {3, -26, 60}, {4, 2, 50}};
    shape.anal = {{1, -72, -28}, {2, -52, -50}, {3, -24, -47}};
    return shape;
}

double Band(double d, double centre, double halfWidth)
{
    return SmoothStep(halfWidth + 1.2, halfWidth - 0.3, std::fabs(d - centre));
}

SColor PaintFinMembrane(double toEdge, bool onTop, double y, double z)
{
    SColor c = Scale(YELLOW, FinRays(y, z, -10, onTop ? 0 : -5, 5));
    c = Mix(c, BLACK, SmoothStep(4.5, 3.5, toEdge) * SmoothStep(1.2, 2.2, toEdge));
    c = Mix(c, Rgb(180, 230, 255), SmoothStep(1.8, 0.6, toEdge) * 0.6);
    c.a = Lerp(0.95, 0.55, SmoothStep(6, 0, toEdge));
    return c;
}

SColor PaintBody(const SBodyShape& shape, double y, double z)
{
    const SBodyShape::SSidePoint at = shape.Locate(y, z);
    if (at.part != SBodyShape::SSidePoint::BODY)
        return PaintFinMembrane(at.toFinEdge, at.part == SBodyShape::SSidePoint::DORSAL, y, z);

    const double h = at.height;
    SColor c = Mix(BELLY, YELLOW, SmoothStep(0.05, 0.45, h));
    c = Mix(c, BACK, SmoothStep(0.7, 1.0, h) * 0.6);
    c = Scale(c, ScaleShade(y, z, 4.5) * (0.93 + 0.1 * ValueNoise(y, z, 7, 11)));

    // Two slanted bands across the flank, fading towards the belly.
    const double slant = y + 0.35 * z;
    const double bands = std::fmax(Band(slant, 2, 4), Band(slant, -30, 3.5));
    c = Mix(c, BAND, 0.85 * bands * SmoothStep(-0.05, 0.35, h));
    // Black bar through the eye, edged in white.
    const double bar = std::fabs(y - EYE_Y + 0.25 * (z - EYE_Z));
    c = Mix(c, WHITE, SmoothStep(6.5, 5.5, bar));
    c = Mix(c, BLACK, SmoothStep(4.5, 3.5, bar));
    // Gill cover and mouth.
    const double gill = std::fabs(std::hypot(y - 46, z - EYE_Z) - 20);
    c = Mix(c, BAND, 0.35 * SmoothStep(1.2, 0.2, gill) * SmoothStep(0.1, 0.3, h) * SmoothStep(0.9, 0.7, h));
    c = Mix(c, BLACK, SmoothStep(0.9, 0.3, std::fabs(z + 4.5)) * SmoothStep(46, 49, y));
    c = PaintEye(c, y, z, EYE_Y, EYE_Z, EYE_R, Rgb(240, 230, 190));
    c.a = 1;
    return c;
}

SColor PaintTail(double y, double z)
{
    SColor c = Scale(YELLOW, FinRays(y, z, 6, 0, 7));
    c = Mix(c, BLACK, SmoothStep(1.5, 0.5, std::fabs(y + 12 + 0.1 * std::fabs(z))) * 0.9);
    const double clear = SmoothStep(-18, -30, y);
    c = Mix(c, Rgb(230, 240, 210), clear * 0.7);
    c.a = Lerp(0.95, 0.45, clear);
    return c;
}

SColor PaintFin(double y, double z)
{
    SColor c = Mix(Scale(BELLY, FinRays(y, z, 2, 1, 6)), YELLOW, 0.4);
    c.a = Lerp(0.9, 0.55, SmoothStep(-4, -30, y));
    return c;
}

}  // namespace

SFinnedFish MakeYellowFish()
{
    SFinnedFish fish;
    fish.nodeFile = "fish.sca";
    fish.bodyMesh = "fish.mod";
    fish.tailMesh = "hvost.mod";
    fish.finMesh = "plavnik.mod";
    fish.skin = "fish.tga";
    fish.leftFin = SPoint3{0, 20, -30};
    fish.tail = SPoint3{0, -72, 0};
    fish.body = MakeShape();
    fish.tailSheet = SSheet{2, 4, [](double s, double t) {
        const double rootZ = Lerp(-8, 8, t);
        const double tipZ = Lerp(-25, 25, t);
        const double tipY = -30 - 5 * std::sin(M_PI * t);
        return SPoint3{0, Lerp(5, tipY, s), rootZ + (tipZ - rootZ) * std::pow(s, 0.7)};
    }};
    fish.finSheet = SSheet{2, 2, [](double s, double t) {
        const double rootZ = Lerp(-3, 4, t);
        const double tipZ = Lerp(-10, 14, t);
        const double tipY = -20 - 12 * std::sin(M_PI * (0.3 + 0.7 * t));
        return SPoint3{0, Lerp(0, tipY, s), rootZ + (tipZ - rootZ) * std::pow(s, 0.8)};
    }};
    fish.layout = MakeSkinLayout(-77, 52, -51, 61, -36, 6, -26, 26, -33, 1, -11, 15);
    const SBodyShape shape = fish.body;
    fish.paintBody = [shape](double y, double z) { return PaintBody(shape, y, z); };
    fish.paintTail = PaintTail;
    fish.paintFin = PaintFin;
    return fish;
}
