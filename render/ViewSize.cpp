#include "render/ViewSize.h"

#include <GL/gl.h>

#include <cstdint>

namespace {

// A texture at most this share short of the pixels it is stretched over
// shows as sharp as a larger one: 1024 rows serve 1080 pixel rows, magnified
// 1.05 times, where 2048 would be skipped over nearly two at a time, which
// costs llvmpipe a tenth of the frame.
const int SHORT_BY_AT_MOST = 16;  // 1 / 16, about 6 %

int CoveringPowerOfTwo(int length, int largest)
{
    int side = 1;
    while (int64_t(side) * (SHORT_BY_AT_MOST + 1) < int64_t(length) * SHORT_BY_AT_MOST && side <= largest / 2)
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
