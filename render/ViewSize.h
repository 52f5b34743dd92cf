#pragma once
// The window as the scene sees it: the viewport's size in pixels, which the
// unit box is stretched over, and what follows from it for drawing.

struct SPixelSize
{
    int width;
    int height;

    bool operator==(const SPixelSize&) const = default;
};

// The current GL viewport's size; needs the GL context current.
SPixelSize GetViewSize();

// Width over height: how many pixels one unit across the box takes for each
// pixel one unit up takes. 1 for an empty view.
float GetAspect(const SPixelSize& view);

// The size to upload the background at, which is stretched over the view:
// square, the smallest power of two not below the view's longer side, and
// no more than 2048 (the picture's own size) or the driver's largest texture.
SPixelSize GetBackgroundSize(const SPixelSize& view, int largestTexture);
