#pragma once
// Colours and the small blending helpers every painter uses. Channels are
// doubles in [0, 1]; alpha 1 is opaque.
#include <algorithm>
#include <cmath>

struct SColor
{
    double r = 0, g = 0, b = 0, a = 1;
};

inline SColor Rgb(int r, int g, int b, double a = 1.0)
{
    return SColor{r / 255.0, g / 255.0, b / 255.0, a};
}

inline double Clamp01(double x)
{
    return std::clamp(x, 0.0, 1.0);
}

inline double SmoothStep(double edge0, double edge1, double x)
{
    const double t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

inline double Lerp(double a, double b, double t)
{
    return a + (b - a) * t;
}

inline SColor Mix(const SColor& a, const SColor& b, double t)
{
    return SColor{Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t), Lerp(a.a, b.a, t)};
}

inline SColor Scale(const SColor& c, double k)
{
    return SColor{c.r * k, c.g * k, c.b * k, c.a};
}

// Channel to byte, rounded; the one quantiser of every writer.
inline int ToByte(double x)
{
    return static_cast<int>(std::lround(Clamp01(x) * 255.0));
}
