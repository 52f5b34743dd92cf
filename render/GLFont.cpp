#include "render/GLFont.h"

#include <cstring>

#include "app/Trace.h"
#include "assets/Image.h"
#include "render/Ortho2D.h"

namespace {
const float CELL = 1.0f / 16.0f;  // one cell of the sheet in texture units
const float TEXT_DEPTH = -0.5f;
}  // namespace

int CGLFont::Load(const char* name, bool linear)
{
    try {
        return BindImage(name, m_texture, linear, GL_CLAMP);
    } catch (...) {
        AddTrace("CGLFont::Load");
        throw;
    }
}

void CGLFont::DrawText(float x, float y, float cellWidth, float cellHeight, const char* text) const
{
    PushOrtho2D();
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    // y counts down from the top; the box's y counts up.
    const float top = 1.0f - y;
    const float bottom = top - cellHeight;
    const size_t length = std::strlen(text);
    glBegin(GL_QUADS);
    for (size_t i = 0; i < length; ++i) {
        const unsigned char code = static_cast<unsigned char>(text[i]);
        // Sheet rows count from the top of the picture, texture t from its bottom.
        const float s0 = (code & 15) * CELL;
        const float s1 = s0 + CELL;
        const float t0 = 1.0f - (code >> 4) * CELL;
        const float t1 = t0 - CELL;
        const float left = x + cellWidth * static_cast<float>(i);
        const float right = left + cellWidth;
        glTexCoord2f(s0, t0);
        glVertex3f(left, top, TEXT_DEPTH);
        glTexCoord2f(s1, t0);
        glVertex3f(right, top, TEXT_DEPTH);
        glTexCoord2f(s1, t1);
        glVertex3f(right, bottom, TEXT_DEPTH);
        glTexCoord2f(s0, t1);
        glVertex3f(left, bottom, TEXT_DEPTH);
    }
    glEnd();

    glPopAttrib();
    PopOrtho2D();
}
