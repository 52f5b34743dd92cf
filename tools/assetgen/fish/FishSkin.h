#pragma once
// Painting a fish skin (128 x 128). The skin holds three side views: the
// body with its dorsal and anal fins across the top 80 rows, the tail at the
// bottom left and the side fin at the bottom right. Each painter is asked for
// the colour at a mesh point (y, z) of its part.
#include <functional>

#include "../Image.h"
#include "MeshBuilder.h"

struct SSkinLayout
{
    SSkinRegion body;
    SSkinRegion tail;
    SSkinRegion fin;
};

// The three rectangles with the given mesh extents of each part.
SSkinLayout MakeSkinLayout(double bodyYMin, double bodyYMax, double bodyZMin, double bodyZMax, double tailYMin,
                           double tailYMax, double tailZMin, double tailZMax, double finYMin, double finYMax,
                           double finZMin, double finZMax);

using TPainter = std::function<SColor(double y, double z)>;

CImage PaintSkin(const SSkinLayout& layout, const TPainter& body, const TPainter& tail, const TPainter& fin);

// An eye centred at (y, z): dark pupil, coloured iris, thin dark rim and a
// small highlight towards the top front.
SColor PaintEye(const SColor& skin, double y, double z, double eyeY, double eyeZ, double radius, const SColor& iris);

// Overlapping scale rows: 1 inside a scale, darker towards its rear edge.
double ScaleShade(double y, double z, double size);

// Smooth value noise in [0, 1], the same on every run for a given seed.
double ValueNoise(double y, double z, double cell, unsigned seed);

// Fin membrane between rays fanning from (y0, z0): 1 on a ray, lower between.
double FinRays(double y, double z, double y0, double z0, double raysPerRadian);
