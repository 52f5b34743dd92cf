#include "render/LightRays.h"

#include <GL/gl.h>

#include <cstdint>

#include "assets/DIB32.h"

namespace {
const int RAY_COUNT = 64;
const int PATTERN_SIZE = 64;  // rows and columns of the caustic pattern that are read
const double ROWS_PER_SECOND = 15.0;
const int ROW_SPREAD = 32;                  // the two rows averaged lie half a pattern apart
const int COLUMN_STEP = 3;                  // neighbouring rays read every third column
const float TOP_SPACING = 0.016f;           // between rays at the surface
const float BOTTOM_SPACING = 0.04f;         // between rays at the bottom: the fan widens downwards
const float TOP_SCALE = 1.0f / 1024.0f;     // brightness per caustic level at the surface
const float BOTTOM_SCALE = 1.0f / 2048.0f;  // half as bright at the bottom
const float TOP_ALPHA = 0.4f;
const float BOTTOM_ALPHA = 0.3f;

// Red byte of the pattern at (row, column) in memory order. The indices wrap
// at the image's own size, so a pattern smaller than 64 x 64 is never overrun.
int ReadLevel(const CDIB32& caustic, int row, int column)
{
    const uint8_t* pixels = static_cast<const uint8_t*>(caustic.GetBits());
    const int y = row % caustic.GetHeight();
    const int x = column % caustic.GetWidth();
    return pixels[(static_cast<size_t>(y) * caustic.GetWidth() + x) * 4];
}
}  // namespace

void DrawLightRays(double sceneTime, const CDIB32& caustic)
{
    // 64-bit so the scroll never overflows; only the low six bits are used.
    const int64_t row = static_cast<int64_t>(sceneTime * ROWS_PER_SECOND);
    const int nearRow = static_cast<int>(row & (PATTERN_SIZE - 1));
    const int farRow = static_cast<int>((row - ROW_SPREAD) & (PATTERN_SIZE - 1));

    glBegin(GL_TRIANGLE_STRIP);
    for (int i = 0; i < RAY_COUNT; ++i) {
        const int column = (COLUMN_STEP * i) & (PATTERN_SIZE - 1);
        const int level = (ReadLevel(caustic, farRow, column) + ReadLevel(caustic, nearRow, column)) >> 1;
        const float offset = static_cast<float>(i - RAY_COUNT / 2);

        glTexCoord2f(0.0f, 0.0f);
        glColor4f(level * TOP_SCALE, level * TOP_SCALE, level * TOP_SCALE, TOP_ALPHA);
        glVertex3f(0.5f + offset * TOP_SPACING, 1.0f, 0.0f);

        glTexCoord2f(0.0f, 0.0f);
        glColor4f(level * BOTTOM_SCALE, level * BOTTOM_SCALE, level * BOTTOM_SCALE, BOTTOM_ALPHA);
        glVertex3f(0.5f + offset * BOTTOM_SPACING, 0.0f, 0.0f);
    }
    glEnd();
}
