#include "render/EmptySea.h"

#include <GL/gl.h>

namespace {

// Deep water under a dim sky: red, green, blue, 0.0-1.0.
const float SEA_RED = 0.0f;
const float SEA_GREEN = 0.12f;
const float SEA_BLUE = 0.25f;

}  // namespace

void DrawEmptySea()
{
    glClearColor(SEA_RED, SEA_GREEN, SEA_BLUE, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
