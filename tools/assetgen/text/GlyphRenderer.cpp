#include "GlyphRenderer.h"

#include <cstdio>
#include <cstdlib>

CGlyphRenderer::CGlyphRenderer(const std::string& fontPath, int pixelHeight)
{
    if (FT_Init_FreeType(&m_library) || FT_New_Face(m_library, fontPath.c_str(), 0, &m_face) ||
        FT_Set_Pixel_Sizes(m_face, 0, pixelHeight)) {
        std::fprintf(stderr, "cannot open the font %s (package fonts-dejavu-core)\n", fontPath.c_str());
        std::exit(1);
    }
}

CGlyphRenderer::~CGlyphRenderer()
{
    FT_Done_Face(m_face);
    FT_Done_FreeType(m_library);
}

SGlyphBitmap CGlyphRenderer::Render(unsigned long code) const
{
    SGlyphBitmap glyph;
    if (FT_Load_Char(m_face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT))
        return glyph;
    const FT_GlyphSlot slot = m_face->glyph;
    glyph.width = static_cast<int>(slot->bitmap.width);
    glyph.height = static_cast<int>(slot->bitmap.rows);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = static_cast<int>(slot->advance.x >> 6);
    for (int y = 0; y < glyph.height; ++y)
        for (int x = 0; x < glyph.width; ++x)
            glyph.coverage.push_back(slot->bitmap.buffer[y * slot->bitmap.pitch + x] / 255.0);
    return glyph;
}
