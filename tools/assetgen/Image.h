#pragma once
// A picture being painted: width x height colours, row 0 at the bottom, the
// order every file format here stores (TGA and BMP bottom-up).
#include <vector>

#include "Paint.h"

class CImage
{
public:
    CImage(int width, int height) : m_width(width), m_height(height), m_pixels(width * height) {}

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    SColor& At(int x, int y) { return m_pixels[y * m_width + x]; }
    const SColor& At(int x, int y) const { return m_pixels[y * m_width + x]; }

    // Bilinear sample at (u, v) in [0, 1], texel centres at (i + 0.5) / size;
    // clamps at the edges.
    SColor Sample(double u, double v) const;
    // Box-filtered copy at a new size (each target pixel averages the source
    // area it covers).
    CImage Resized(int width, int height) const;
    // Source-over of c (with its alpha times coverage) onto pixel (x, y).
    void Blend(int x, int y, const SColor& c, double coverage);

private:
    int m_width;
    int m_height;
    std::vector<SColor> m_pixels;
};
