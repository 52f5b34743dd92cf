#include "Background.h"

#include <cmath>

#include "../Prng.h"

namespace {

// Texels a side: sharp on a 4K screen, whose longer side the largest texture
// the show uploads (2048) still covers at under two pixels a texel.
const int SIZE = 2048;
const double TEXEL = 1.0 / SIZE;
const double STRETCH = 0.6;  // widths are drawn at this share: the screen widens them

double Hash(int i, int j, unsigned seed)
{
    uint32_t h = static_cast<uint32_t>(i) * 374761393u + static_cast<uint32_t>(j) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

double Noise(double x, double y, unsigned seed)
{
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const double tx = SmoothStep(0, 1, x - ix), ty = SmoothStep(0, 1, y - iy);
    return Lerp(Lerp(Hash(ix, iy, seed), Hash(ix + 1, iy, seed), tx),
                Lerp(Hash(ix, iy + 1, seed), Hash(ix + 1, iy + 1, seed), tx), ty);
}

double Fractal(double x, double y, unsigned seed)
{
    double sum = 0, amplitude = 0.5;
    for (int octave = 0; octave < 4; ++octave) {
        sum += amplitude * Noise(x, y, seed + octave);
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum / 0.9375;
}

// Height of the sand's top edge at x (both 0..1, y up).
double SandLine(double x)
{
    return 0.2 + 0.025 * std::sin(x * 5.1 + 0.7) + 0.015 * std::sin(x * 13.7 + 2.1) +
           0.02 * (Fractal(x * 6, 3.5, 7) - 0.5);
}

SColor Water(double x, double y)
{
    const SColor surface = Rgb(96, 196, 206);
    const SColor middle = Rgb(22, 104, 140);
    const SColor deep = Rgb(8, 40, 74);
    SColor c = y > 0.6 ? Mix(middle, surface, SmoothStep(0.6, 1.0, y)) : Mix(deep, middle, SmoothStep(0.15, 0.6, y));
    // Sun shafts: slanted soft bands, strongest near the surface.
    const double slant = x + 0.35 * (1 - y);
    const double shafts = 0.5 + 0.5 * std::sin(slant * 23.0) * std::sin(slant * 7.3 + 1.0);
    c = Mix(c, Rgb(170, 230, 230), 0.3 * shafts * SmoothStep(0.25, 1.0, y) * Fractal(slant * 8, y * 2, 3));
    // Faint cloudiness so the gradient does not band.
    return Scale(c, 0.94 + 0.1 * Fractal(x * 5, y * 5, 11));
}

// The far reef: a soft silhouette lost in the blue haze.
SColor FarReef(const SColor& water, double x, double y)
{
    const double ridge = 0.3 + 0.07 * Fractal(x * 4, 1.3, 17) + 0.05 * std::sin(x * 9.0);
    const double inside = SmoothStep(ridge + 0.01, ridge - 0.01, y);
    return Mix(water, Mix(water, Rgb(16, 66, 96), 0.7), inside * 0.6);
}

SColor Sand(double x, double y, double line)
{
    const double depth = Clamp01((line - y) / line);  // 0 at the edge, 1 at the bottom
    SColor c = Mix(Rgb(62, 108, 118), Rgb(184, 172, 132), SmoothStep(0.0, 1.0, depth));
    const double ripples = 0.5 + 0.5 * std::sin(x * 140 / STRETCH * 0.4 + 30 * y + 6 * Fractal(x * 8, y * 8, 5));
    // Grain about two texels across, smooth rather than blocky.
    c = Scale(c, 0.9 + 0.12 * ripples * depth + 0.08 * (Noise(x * SIZE / 2, y * SIZE / 2, 9) - 0.5));
    return c;
}

struct SRock
{
    double x, y, radius, height;
};

void PaintRock(CImage& image, const SRock& rock, unsigned seed)
{
    for (int py = 0; py < SIZE; ++py) {
        for (int px = 0; px < SIZE; ++px) {
            const double x = (px + 0.5) / SIZE, y = (py + 0.5) / SIZE;
            const double dx = (x - rock.x) / (rock.radius * STRETCH);
            const double dy = (y - rock.y) / rock.height;
            // Wide enough that the shadow has faded out before the box ends.
            if (dy < -0.8 || std::fabs(dx) > 4.0 || dy > 1.3)
                continue;
            // The outline's wobble goes once round the rock, joining where the angle wraps.
            const double angle = std::atan2(dy, dx);
            const double wobble = Noise(10 + 3 * std::cos(angle), seed + 3 * std::sin(angle), seed);
            const double edge = 1 + 0.18 * (wobble - 0.5) + 0.06 * std::sin(angle * 7 + seed);
            const double r = std::hypot(dx, dy);
            // The outline is smoothed over about one texel, whatever the rock's size.
            const double blur = TEXEL / std::fmin(rock.radius * STRETCH, rock.height);
            // A soft shadow on the sand round the foot, which sinks into the
            // sand along an uneven line instead of ending in a straight cut.
            const double shadow = std::exp(-(dx * dx / 2.0 + (dy + 0.4) * (dy + 0.4) / 0.03));
            image.At(px, py) = Scale(image.At(px, py), 1 - 0.3 * shadow);
            const double foot = -0.42 + 0.12 * (Noise(dx * 5 + seed * 7, 0.5, seed) - 0.5);
            const double coverage = SmoothStep(edge + blur, edge - blur, r) * SmoothStep(foot - 0.06, foot + 0.06, dy);
            if (coverage <= 0)
                continue;
            // Lit from above: brighter on the top, dark underneath, with moss
            // where the light falls; pits a few texels across keep the stone
            // rough when seen up close.
            const double grain = Fractal(x * 40, y * 40, seed);
            const double pits = Noise(x * SIZE / 4, y * SIZE / 4, seed + 80);
            const double light = (0.4 + 0.8 * SmoothStep(-0.3, 0.9, dy) * (1 - 0.3 * r)) * (0.9 + 0.2 * pits);
            SColor c = Scale(Mix(Rgb(58, 64, 66), Rgb(122, 124, 110), grain), light);
            c = Mix(c, Rgb(74, 110, 66),
                    0.5 * SmoothStep(0.3, 0.8, dy) * SmoothStep(0.45, 0.65, Fractal(x * 18, y * 18, seed + 40)));
            c = Mix(c, Rgb(20, 60, 80), 0.25);  // seen through water
            image.Blend(px, py, c, coverage);
        }
    }
}

void StampDisc(CImage& image, double cx, double cy, double radius, const SColor& c)
{
    const int x0 = static_cast<int>((cx - radius) * SIZE) - 1, x1 = static_cast<int>((cx + radius) * SIZE) + 1;
    const int y0 = static_cast<int>((cy - radius) * SIZE) - 1, y1 = static_cast<int>((cy + radius) * SIZE) + 1;
    for (int py = y0; py <= y1; ++py) {
        for (int px = x0; px <= x1; ++px) {
            const double d = std::hypot((px + 0.5) / SIZE - cx, (py + 0.5) / SIZE - cy) * SIZE;
            image.Blend(px, py, c, Clamp01(radius * SIZE - d + 0.5));
        }
    }
}

// A ribbon of weed rising from (x, y), swaying; drawn as a row of discs.
void PaintWeed(CImage& image, double x, double y, double height, double width, double sway, const SColor& color)
{
    const int steps = static_cast<int>(height * SIZE * 2);
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double px = x + STRETCH * sway * std::sin(t * 3.2 + x * 20) * t;
        const double py = y + height * t;
        const double radius = width * STRETCH * (1 - 0.8 * t);
        SColor c = Mix(Scale(color, 0.7), Scale(color, 1.4), t);
        c.a = SmoothStep(0.0, 0.1, t);  // the foot grows out of the sand
        StampDisc(image, px, py, radius, c);
    }
}

// A branching coral: each branch forks twice, thinning as it goes.
void PaintCoral(CImage& image, CPrng& prng, double x, double y, double angle, double length, double width, int depth,
                const SColor& color)
{
    const int steps = static_cast<int>(length * SIZE * 2) + 1;
    double px = x, py = y;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        px = x + STRETCH * length * t * std::cos(angle);
        py = y + length * t * std::sin(angle);
        StampDisc(image, px, py, width * STRETCH * (1 - 0.3 * t), color);
    }
    if (depth == 0)
        return;
    for (double turn : {-0.45, 0.4})
        PaintCoral(image, prng, px, py, angle + turn + prng.Range(-0.15, 0.15), length * prng.Range(0.6, 0.8),
                   width * 0.75, depth - 1, Mix(color, Rgb(255, 170, 140), 0.12));
}

}  // namespace

CImage PaintBackground()
{
    CImage image(SIZE, SIZE);
    for (int py = 0; py < SIZE; ++py) {
        for (int px = 0; px < SIZE; ++px) {
            const double x = (px + 0.5) / SIZE, y = (py + 0.5) / SIZE;
            const double line = SandLine(x);
            const SColor water = FarReef(Water(x, y), x, y);
            image.At(px, py) = Mix(water, Sand(x, y, line), SmoothStep(line + 0.02, line - 0.015, y));
        }
    }
    CPrng prng(512);
    const SColor weed = Rgb(22, 84, 58);
    for (int clump = 0; clump < 6; ++clump) {
        const double x = prng.Range(0.02, 0.98);
        const SColor color = Mix(weed, Rgb(10, 50, 60), prng.Unit() * 0.5);
        for (int blade = 0; blade < 3; ++blade)
            PaintWeed(image, x + prng.Range(-0.012, 0.012), SandLine(x) - 0.03, prng.Range(0.14, 0.4),
                      prng.Range(0.005, 0.009), prng.Range(0.02, 0.05), color);
    }
    const SRock rocks[] = {{0.14, 0.1, 0.12, 0.16},
                           {0.3, 0.05, 0.07, 0.08},
                           {0.74, 0.08, 0.15, 0.2},
                           {0.9, 0.12, 0.07, 0.09},
                           {0.52, 0.03, 0.05, 0.05}};
    unsigned seed = 1;
    for (const SRock& rock : rocks)
        PaintRock(image, rock, seed++);
    const SColor corals[] = {Rgb(196, 92, 80), Rgb(210, 140, 70), Rgb(170, 84, 140)};
    const double coralX[] = {0.22, 0.64, 0.84};
    for (int i = 0; i < 3; ++i)
        PaintCoral(image, prng, coralX[i], SandLine(coralX[i]) - 0.04, M_PI / 2 + prng.Range(-0.2, 0.2), 0.06, 0.011, 3,
                   Mix(corals[i], Rgb(30, 90, 110), 0.3));
    for (int clump = 0; clump < 7; ++clump) {
        const double x = prng.Range(0.0, 1.0);
        for (int blade = 0; blade < 3; ++blade)
            PaintWeed(image, x + prng.Range(-0.01, 0.01), SandLine(x) - 0.06, prng.Range(0.1, 0.28),
                      prng.Range(0.007, 0.012), prng.Range(0.02, 0.06), Rgb(18, 70, 40));
    }
    return image;
}
