#include "FishSkin.h"

#include <cmath>

namespace {

const int SKIN_BODY_ROW = 48;  // first row of the body view
const int SKIN_SPLIT = 64;     // first column of the fin view

double Fract(double x)
{
    return x - std::floor(x);
}

double LatticeValue(int i, int j, unsigned seed)
{
    uint32_t h = static_cast<uint32_t>(i) * 73856093u ^ static_cast<uint32_t>(j) * 19349663u ^ seed * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xFFFF) / 65535.0;
}

void PaintRegion(CImage& image, const SSkinRegion& region, const TPainter& painter)
{
    for (int ty = region.y0; ty < region.y1; ++ty) {
        for (int tx = region.x0; tx < region.x1; ++tx) {
            double y, z;
            region.ToMesh(tx, ty, y, z);
            image.At(tx, ty) = painter(y, z);
        }
    }
}

}  // namespace

SSkinLayout MakeSkinLayout(double bodyYMin, double bodyYMax, double bodyZMin, double bodyZMax, double tailYMin,
                           double tailYMax, double tailZMin, double tailZMax, double finYMin, double finYMax,
                           double finZMin, double finZMax)
{
    SSkinLayout layout;
    layout.body = SSkinRegion{bodyYMin, bodyYMax, bodyZMin, bodyZMax, 0, SKIN_BODY_ROW, SKIN_SIZE, SKIN_SIZE};
    layout.tail = SSkinRegion{tailYMin, tailYMax, tailZMin, tailZMax, 0, 0, SKIN_SPLIT, SKIN_BODY_ROW};
    layout.fin = SSkinRegion{finYMin, finYMax, finZMin, finZMax, SKIN_SPLIT, 0, SKIN_SIZE, SKIN_BODY_ROW};
    return layout;
}

CImage PaintSkin(const SSkinLayout& layout, const TPainter& body, const TPainter& tail, const TPainter& fin)
{
    CImage image(SKIN_SIZE, SKIN_SIZE);
    PaintRegion(image, layout.body, body);
    PaintRegion(image, layout.tail, tail);
    PaintRegion(image, layout.fin, fin);
    return image;
}

SColor PaintEye(const SColor& skin, double y, double z, double eyeY, double eyeZ, double radius, const SColor& iris)
{
    const double d = std::hypot(y - eyeY, z - eyeZ) / radius;
    if (d > 1.25)
        return skin;
    const SColor rim = Rgb(20, 16, 12);
    const SColor pupil = Rgb(6, 6, 10);
    SColor c = Mix(skin, rim, SmoothStep(1.25, 1.0, d));
    c = Mix(c, iris, SmoothStep(0.95, 0.8, d));
    c = Mix(c, pupil, SmoothStep(0.6, 0.45, d));
    const double glint = std::hypot(y - (eyeY + 0.3 * radius), z - (eyeZ + 0.3 * radius)) / radius;
    c = Mix(c, Rgb(255, 255, 255), 0.9 * SmoothStep(0.25, 0.1, glint));
    c.a = skin.a;
    return c;
}

double ScaleShade(double y, double z, double size)
{
    const double row = std::floor(z / size);
    const double column = y / size + (static_cast<int>(row) % 2 ? 0.5 : 0.0);
    const double dy = Fract(column) - 0.5;
    const double dz = Fract(z / size) - 0.5;
    // The exposed part of a scale is its rear: darken towards the front edge
    // where the next scale overlaps.
    const double d = std::hypot(dy + 0.2, dz) * 2;
    return 1.0 - 0.06 * SmoothStep(0.6, 1.0, d);
}

double ValueNoise(double y, double z, double cell, unsigned seed)
{
    const double fy = y / cell, fz = z / cell;
    const int iy = static_cast<int>(std::floor(fy)), iz = static_cast<int>(std::floor(fz));
    const double ty = SmoothStep(0, 1, fy - iy), tz = SmoothStep(0, 1, fz - iz);
    const double a = Lerp(LatticeValue(iy, iz, seed), LatticeValue(iy + 1, iz, seed), ty);
    const double b = Lerp(LatticeValue(iy, iz + 1, seed), LatticeValue(iy + 1, iz + 1, seed), ty);
    return Lerp(a, b, tz);
}

double FinRays(double y, double z, double y0, double z0, double raysPerRadian)
{
    const double angle = std::atan2(z - z0, y - y0);
    const double wave = 0.5 + 0.5 * std::cos(angle * raysPerRadian * 2 * M_PI);
    return 0.75 + 0.25 * wave * wave;
}
