#include "render/BackgroundGrid.h"

#include <GL/gl.h>

#include "render/Ripple.h"

CBackgroundGrid::CBackgroundGrid(int cells)
{
    const int side = cells + 1;
    for (int r = 0; r < side; ++r) {
        for (int k = 0; k < side; ++k) {
            const float u = static_cast<float>(k) / cells;
            const float v = static_cast<float>(r) / cells;
            m_corners.push_back(SCorner{u, v, u, v, 0.0f});
        }
    }
    for (int r = 0; r < cells; ++r) {
        for (int k = 0; k < cells; ++k) {
            const uint32_t low = static_cast<uint32_t>(r * side + k);
            const uint32_t high = low + static_cast<uint32_t>(side);
            for (uint32_t corner : {low, low + 1, high, high, low + 1, high + 1})
                m_indices.push_back(corner);
        }
    }
}

void CBackgroundGrid::Draw()
{
    for (SCorner& corner : m_corners)
        RippleDisplace(corner.s, corner.t, corner.x, corner.y);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glInterleavedArrays(GL_T2F_V3F, 0, m_corners.data());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(m_indices.size()), GL_UNSIGNED_INT, m_indices.data());
    glPopClientAttrib();
}
