#include "render/ViewSize.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

const int LARGEST_BACKGROUND = 2048;  // pixels a side: the pack's picture is no larger

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
    const int longer = std::max(view.width, view.height);
    const int largest = std::min(LARGEST_BACKGROUND, largestTexture);
    int side = 1;
    while (side < longer && side * 2 <= largest)
        side *= 2;
    return SPixelSize{side, side};
}
