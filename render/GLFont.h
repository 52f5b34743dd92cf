#pragma once
// Single-line texts (the frame-rate counter) drawn as textured quads from one
// font sheet: a 16 x 16 grid of equal cells holding the byte codes in order,
// row 0 at the top. Fixed pitch, no line breaks, no kerning. Sets up its own
// projection, so it can be called with any matrices current.
#include <GL/gl.h>

class CGLFont
{
public:
    // Uploads the sheet of that pack name; 1 on success, 0 when it cannot be
    // read, in which case texts draw as solid blocks.
    int Load(const char* name, bool linear);

    // Draws text with its first cell's top-left corner x across and y down from
    // the top of the view (unit-box units), each character cellWidth x
    // cellHeight, in the current colour.
    void DrawText(float x, float y, float cellWidth, float cellHeight, const char* text) const;

private:
    GLuint m_texture = 0;
};
