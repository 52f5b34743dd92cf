#include "WaterPictures.h"

#include <cmath>
#include <limits>

#include "../Prng.h"

namespace {

const int CAUSTIC_SIZE = 64;
const int BUBBLE_SIZE = 64;

}  // namespace

CImage PaintCaustics()
{
    // Cells of a wrapped Voronoi diagram; light gathers along the borders,
    // where the two nearest centres are almost equally far.
    CPrng prng(64);
    std::vector<std::pair<double, double>> centres;
    for (int i = 0; i < 14; ++i)
        centres.emplace_back(prng.Unit(), prng.Unit());
    CImage image(CAUSTIC_SIZE, CAUSTIC_SIZE);
    for (int py = 0; py < CAUSTIC_SIZE; ++py) {
        for (int px = 0; px < CAUSTIC_SIZE; ++px) {
            const double x = (px + 0.5) / CAUSTIC_SIZE, y = (py + 0.5) / CAUSTIC_SIZE;
            double first = std::numeric_limits<double>::max(), second = first;
            for (const auto& [cx, cy] : centres) {
                double dx = std::fabs(x - cx), dy = std::fabs(y - cy);
                dx = std::fmin(dx, 1 - dx);
                dy = std::fmin(dy, 1 - dy);
                const double d = std::hypot(dx, dy);
                if (d < first) {
                    second = first;
                    first = d;
                } else if (d < second) {
                    second = d;
                }
            }
            const double line = std::exp(-(second - first) * 42);
            const double v = Clamp01(0.08 + 0.92 * std::pow(line, 1.6) + 0.15 * first);
            image.At(px, py) = SColor{v, v, v, 1};
        }
    }
    return image;
}

std::vector<uint8_t> PaintBubble()
{
    std::vector<uint8_t> indices(BUBBLE_SIZE * BUBBLE_SIZE);
    const double radius = 0.44;
    for (int py = 0; py < BUBBLE_SIZE; ++py) {
        for (int px = 0; px < BUBBLE_SIZE; ++px) {
            const double x = (px + 0.5) / BUBBLE_SIZE - 0.5, y = (py + 0.5) / BUBBLE_SIZE - 0.5;
            const double r = std::hypot(x, y) / radius;
            const double inside = SmoothStep(1.04, 0.96, r);
            // Glass is brightest where it is seen edge-on.
            const double rim = std::pow(Clamp01(r), 6) * 0.6;
            const double body = 0.03 + 0.04 * (0.5 - y);
            const double spot = 0.85 * std::exp(-std::pow(std::hypot(x + 0.14, y - 0.16) / 0.08, 2));
            const double glint = 0.5 * std::exp(-std::pow(std::hypot(x - 0.17, y + 0.2) / 0.05, 2));
            const double v = Clamp01((body + rim + spot + glint) * inside);
            indices[py * BUBBLE_SIZE + px] = static_cast<uint8_t>(ToByte(v));
        }
    }
    return indices;
}

std::vector<SColor> BubblePalette()
{
    // Dark blue-green glass turning white at full brightness.
    std::vector<SColor> palette;
    for (int i = 0; i < 256; ++i) {
        const double t = i / 255.0;
        palette.push_back(SColor{std::pow(t, 1.25), std::pow(t, 1.05), std::pow(t, 0.9), 1});
    }
    return palette;
}
