// The bitmap font drawn into a real window and read back. The sheets are made
// here: every cell black (alpha 0) except the ones a test lights, so a
// character drawn from the wrong cell shows as a gap.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "render/GLFont.h"
#include "tests/support/GLTestWindow.h"
#include "tests/support/Pictures.h"
#include "tests/support/ScratchPack.h"

namespace {
const int SIZE = 160;
const int SHEET = 256;
const int CELL = 16;

// A sheet with only the cell of this character code lit. Sheet rows count from
// the top; the file's rows from the bottom.
std::vector<uint8_t> MakeSheetLighting(int code)
{
    const int column = code % 16;
    const int rowFromTop = code / 16;
    return MakeGreyTga(SHEET, SHEET, [=](int x, int y) {
        const int yFromTop = SHEET - 1 - y;
        return static_cast<uint8_t>(x / CELL == column && yFromTop / CELL == rowFromTop ? 255 : 0);
    });
}

class CGLFontTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_window.IsReady());
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1.0f, 1.0f, 1.0f);
    }

    int Red(int x, int row) const { return PixelAt(m_pixels, SIZE, x, row).r; }
    void Read() { m_pixels = m_window.ReadPixels(); }

    CGLTestWindow m_window{SIZE, SIZE};
    CScratchPack m_pack;
    CGLFont m_font;
    std::vector<uint8_t> m_pixels;
};
}  // namespace

// "0.0" at x = 0.1, y = 0.1, cells 0.1 x 0.2: the two zeros (cells 16-32 and
// 48-64 px across, rows 112-144 from the bottom) are lit, the point between them is not.
TEST_F(CGLFontTest, CharactersComeFromTheirOwnCells)
{
    m_pack.Add("texture/font.tga", MakeSheetLighting('0'));
    ASSERT_EQ(m_font.Load("texture/font.tga", true), 1);
    m_font.DrawText(0.1f, 0.1f, 0.1f, 0.2f, "0.0");
    Read();
    EXPECT_EQ(Red(24, 128), 255);
    EXPECT_EQ(Red(40, 128), 0);
    EXPECT_EQ(Red(56, 128), 255);
    EXPECT_EQ(Red(72, 128), 0);
    EXPECT_EQ(Red(24, 150), 0);
    EXPECT_EQ(Red(24, 105), 0);
}

// The counter's layout: x = y = cell = 0.02 puts the first cell's top-left
// corner at (0.02, 0.98), i.e. pixel columns 3.2 .. 6.4 and rows 153.6 .. 156.8.
TEST_F(CGLFontTest, FirstCellTopLeftAtInsetFromTop)
{
    m_pack.Add("texture/font.tga", MakeSheetLighting('8'));
    ASSERT_EQ(m_font.Load("texture/font.tga", true), 1);
    m_font.DrawText(0.02f, 0.02f, 0.02f, 0.02f, "8");
    Read();
    EXPECT_EQ(Red(4, 155), 255);
    EXPECT_EQ(Red(5, 154), 255);
    EXPECT_EQ(Red(2, 155), 0);
    EXPECT_EQ(Red(4, 157), 0);
    EXPECT_EQ(Red(7, 155), 0);
    EXPECT_EQ(Red(4, 152), 0);
}

// Codes above 127 select rows 8 to 15 of the sheet, not a negative row.
TEST_F(CGLFontTest, HighByteCodesUseLowerSheetRows)
{
    m_pack.Add("texture/font.tga", MakeSheetLighting(200));
    ASSERT_EQ(m_font.Load("texture/font.tga", true), 1);
    m_font.DrawText(0.1f, 0.1f, 0.1f, 0.2f, "\xC8");
    Read();
    EXPECT_EQ(Red(24, 128), 255);
}

// Without a sheet the font still draws: every character is a solid block in
// the current colour.
TEST_F(CGLFontTest, MissingSheetDrawsSolidBlocks)
{
    EXPECT_EQ(m_font.Load("texture/font.tga", true), 0);
    glColor3f(0.0f, 1.0f, 0.0f);
    m_font.DrawText(0.1f, 0.1f, 0.1f, 0.2f, "0. ");
    Read();
    for (int x : {24, 40, 56})
        EXPECT_EQ(PixelAt(m_pixels, SIZE, x, 128).g, 255) << "cell at " << x;
    EXPECT_EQ(PixelAt(m_pixels, SIZE, 72, 128).g, 0);
}

// The font leaves the caller's matrices, matrix mode and enables as it found
// them, even for an empty text.
TEST_F(CGLFontTest, RestoresCallerState)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glScalef(2.0f, 2.0f, 2.0f);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.25f, 0.0f, 0.0f);
    glEnable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);

    m_font.DrawText(0.1f, 0.1f, 0.1f, 0.1f, "");
    m_font.DrawText(0.1f, 0.1f, 0.1f, 0.1f, "ab");

    GLint mode = 0, modelviewDepth = 0, projectionDepth = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelviewDepth);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionDepth);
    GLfloat modelview[16], projection[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_EQ(modelviewDepth, 1);
    EXPECT_EQ(projectionDepth, 1);
    EXPECT_EQ(modelview[12], 0.25f);
    EXPECT_EQ(projection[0], 2.0f);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}
