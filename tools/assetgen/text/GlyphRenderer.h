#pragma once
// Renders text with FreeType into coverage maps (0..1 per pixel). Fonts come
// from the system's DejaVu package, read at generation time only.
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

struct SGlyphBitmap
{
    int width = 0, height = 0;
    int left = 0, top = 0;         // offset of the bitmap from the pen, top above the baseline
    int advance = 0;               // pixels
    std::vector<double> coverage;  // rows from the top
};

class CGlyphRenderer
{
public:
    // Exits with a message when the font cannot be opened.
    CGlyphRenderer(const std::string& fontPath, int pixelHeight);
    ~CGlyphRenderer();
    CGlyphRenderer(const CGlyphRenderer&) = delete;
    CGlyphRenderer& operator=(const CGlyphRenderer&) = delete;

    SGlyphBitmap Render(unsigned long code) const;

private:
    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
};

const char* const MONO_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
const char* const TITLE_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
