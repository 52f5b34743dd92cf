#include "render/Bubbles.h"

#include <GL/gl.h>

#include "render/Math.h"
#include "render/Ripple.h"

namespace {
const int GROUP_SIZE = 5;
const float SOURCE_X = 0.8f;        // where the stream rises, across the view
const float SOURCE_SPREAD = 0.01f;  // +- around SOURCE_X
const float SOURCE_Z = 0.5f;        // mid-depth: fish in front hide the bubbles
const float MIN_SIZE = 0.002f;
const float MAX_SIZE = 0.01f;

void EmitGroup()
{
    for (int i = 0; i < GROUP_SIZE; ++i) {
        // Position first, then size: the draw order of the random numbers is part of a seeded scene.
        const SVector3 position = {SOURCE_X + RandomRange(-SOURCE_SPREAD, SOURCE_SPREAD), 0.0f, SOURCE_Z};
        const float size = RandomRange(MIN_SIZE, MAX_SIZE);
        GetBubbleSystem().Add(position, size);
    }
}

void DisplacedVertex(float u, float v, float z)
{
    float x, y;
    RippleDisplace(u, v, x, y);
    glVertex3f(x, y, z);
}
}  // namespace

void EmitBubbles(SEmissionClock& emission, double dt)
{
    const uint32_t groups = emission.Advance(dt);
    for (uint32_t i = 0; i < groups; ++i)
        EmitGroup();
}

// The size is measured up the view; across, the box's units are wider by the aspect.
void DrawBubble(const SBubble& bubble, float aspect)
{
    const float s = bubble.size;
    const float across = s / aspect;
    glBegin(GL_POLYGON);
    glTexCoord2f(1.0f, 1.0f);
    DisplacedVertex(bubble.x + across, bubble.y + s, bubble.z);
    glTexCoord2f(1.0f, 0.0f);
    DisplacedVertex(bubble.x + across, bubble.y - s, bubble.z);
    glTexCoord2f(0.0f, 0.0f);
    DisplacedVertex(bubble.x - across, bubble.y - s, bubble.z);
    glTexCoord2f(0.0f, 1.0f);
    DisplacedVertex(bubble.x - across, bubble.y + s, bubble.z);
    glEnd();
}
