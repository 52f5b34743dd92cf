// Writes the pictures made of lettering: the font sheet of the frame-rate
// text (ASCII in a 16 x 16 grid of 16-pixel cells, grey = coverage) and the
// setup dialog's title strip (bitmap 133, 512 x 32, 8 bits with a palette).
//
// usage: coralux_gen_text RESOURCES_DIR
#include <cmath>

#include "../Bytes.h"
#include "../ImageFiles.h"
#include "GlyphRenderer.h"

namespace {

const int SHEET = 256;
const int CELL = 16;
const int FONT_PIXELS = 13;

// Draws glyph with its pen at (penX, baseline), both counted from the top
// left; pixels outside [x0, x1) x [y0, y1) are clipped. Coverage adds up.
void DrawGlyph(std::vector<double>& canvas, int canvasWidth, const SGlyphBitmap& glyph, int penX, int baseline, int x0,
               int y0, int x1, int y1)
{
    for (int gy = 0; gy < glyph.height; ++gy) {
        for (int gx = 0; gx < glyph.width; ++gx) {
            const int x = penX + glyph.left + gx;
            const int y = baseline - glyph.top + gy;
            if (x < x0 || x >= x1 || y < y0 || y >= y1)
                continue;
            double& c = canvas[y * canvasWidth + x];
            c = std::fmin(1.0, c + glyph.coverage[gy * glyph.width + gx]);
        }
    }
}

CImage PaintFontSheet()
{
    const CGlyphRenderer font(MONO_FONT, FONT_PIXELS);
    std::vector<double> canvas(SHEET * SHEET, 0.0);  // rows from the top, as the cells are counted
    // Capitals and ascenders stand about 10 pixels tall and descenders and the
    // underscore reach 3 to 4 below: this baseline keeps both inside the cell.
    const int baseline = 11;
    for (int code = 33; code < 127; ++code) {
        const SGlyphBitmap glyph = font.Render(code);
        const int cellX = (code % 16) * CELL, cellY = (code / 16) * CELL;
        const int penX = cellX + (CELL - glyph.advance) / 2;
        DrawGlyph(canvas, SHEET, glyph, penX, cellY + baseline, cellX, cellY, cellX + CELL, cellY + CELL);
    }
    CImage image(SHEET, SHEET);
    for (int y = 0; y < SHEET; ++y) {
        for (int x = 0; x < SHEET; ++x) {
            const double v = canvas[(SHEET - 1 - y) * SHEET + x];
            image.At(x, y) = SColor{v, v, v, 1};
        }
    }
    return image;
}

// The strip's palette is one ramp from deep water through teal to white, so
// each pixel is a brightness.
std::vector<SColor> TitlePalette()
{
    std::vector<SColor> palette;
    for (int i = 0; i < 256; ++i) {
        const double t = i / 255.0;
        const SColor deep = Rgb(6, 28, 64), teal = Rgb(30, 140, 170), white = Rgb(250, 255, 255);
        palette.push_back(t < 0.6 ? Mix(deep, teal, t / 0.6) : Mix(teal, white, (t - 0.6) / 0.4));
    }
    return palette;
}

std::vector<uint8_t> PaintTitle(int width, int height)
{
    const CGlyphRenderer font(TITLE_FONT, 24);
    const std::string title = "Coralux";
    std::vector<double> text(width * height, 0.0);
    int penX = 14;
    const int baseline = 24;
    for (char c : title) {
        const SGlyphBitmap glyph = font.Render(static_cast<unsigned char>(c));
        DrawGlyph(text, width, glyph, penX, baseline, 0, 0, width, height);
        penX += glyph.advance + 1;
    }
    std::vector<uint8_t> indices(width * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double fx = (x + 0.5) / width, fy = (y + 0.5) / height;  // fy from the top
            // Water darkening to the right and downwards, a few faint ripples.
            double v = 0.48 - 0.28 * fx - 0.12 * fy + 0.03 * std::sin(x * 0.09 + 3 * std::sin(y * 0.4));
            // Soft glow under the letters, then the letters themselves.
            double glow = 0;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (x + dx >= 0 && x + dx < width && y + dy >= 0 && y + dy < height)
                        glow += text[(y + dy) * width + x + dx];
            v += 0.2 * glow / 25;
            v = Lerp(v, 1.0, text[y * width + x]);
            // Rows are stored bottom-up.
            indices[(height - 1 - y) * width + x] = static_cast<uint8_t>(ToByte(v));
        }
    }
    return indices;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string root = GetOutputRoot(argc, argv);
    WriteOutputFile(root, "pack/texture/font.tga", EncodeTgaGrey(PaintFontSheet()));
    const int TITLE_WIDTH = 512, TITLE_HEIGHT = 32;
    WriteOutputFile(root, "bitmaps/title.bmp",
                    EncodeBmp8(TITLE_WIDTH, TITLE_HEIGHT, PaintTitle(TITLE_WIDTH, TITLE_HEIGHT), TitlePalette()));
    return 0;
}
