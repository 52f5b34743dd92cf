#include "Image.h"

#include <cmath>

SColor CImage::Sample(double u, double v) const
{
    const double fx = std::clamp(u * m_width - 0.5, 0.0, m_width - 1.0);
    const double fy = std::clamp(v * m_height - 0.5, 0.0, m_height - 1.0);
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const int x1 = std::min(x0 + 1, m_width - 1);
    const int y1 = std::min(y0 + 1, m_height - 1);
    const double tx = fx - x0;
    const double ty = fy - y0;
    return Mix(Mix(At(x0, y0), At(x1, y0), tx), Mix(At(x0, y1), At(x1, y1), tx), ty);
}

CImage CImage::Resized(int width, int height) const
{
    CImage out(width, height);
    const double sx = static_cast<double>(m_width) / width;
    const double sy = static_cast<double>(m_height) / height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            SColor sum{0, 0, 0, 0};
            double weight = 0;
            const int xa = static_cast<int>(x * sx), xb = std::max(xa + 1, static_cast<int>(std::ceil((x + 1) * sx)));
            const int ya = static_cast<int>(y * sy), yb = std::max(ya + 1, static_cast<int>(std::ceil((y + 1) * sy)));
            for (int j = ya; j < std::min(yb, m_height); ++j) {
                for (int i = xa; i < std::min(xb, m_width); ++i) {
                    const SColor& c = At(i, j);
                    sum.r += c.r;
                    sum.g += c.g;
                    sum.b += c.b;
                    sum.a += c.a;
                    weight += 1;
                }
            }
            out.At(x, y) = SColor{sum.r / weight, sum.g / weight, sum.b / weight, sum.a / weight};
        }
    }
    return out;
}

void CImage::Blend(int x, int y, const SColor& c, double coverage)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    SColor& d = At(x, y);
    const double a = Clamp01(c.a * coverage);
    d.r = Lerp(d.r, c.r, a);
    d.g = Lerp(d.g, c.g, a);
    d.b = Lerp(d.b, c.b, a);
    d.a = a + d.a * (1 - a);
}
