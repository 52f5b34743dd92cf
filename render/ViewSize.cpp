#include "render/ViewSize.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

int CoveringPowerOfTwo(int length, int largest)
{
    int side = 1;
    while (side < length && side <= largest / 2)
        side *= 2;
    return side;
}

}  // namespace

SPixelSize GetViewSize()
{
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    return SPixelSize{viewport[2], viewport[3]};
}

float GetAspect(const SPixelSize& view)
{
    if (view.width <= 0 || view.height <= 0)
        return 1.0f;
    return static_cast<float>(view.width) / static_cast<float>(view.height);
}

SPixelSize GetBackgroundSize(const SPixelSize& view, int largestTexture)
{
    return SPixelSize{CoveringPowerOfTwo(view.width, largestTexture), CoveringPowerOfTwo(view.height, largestTexture)};
}
