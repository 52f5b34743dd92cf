#include <GL/gl.h>
#include <gtest/gtest.h>

#include "assets/Image.h"
#include "tests/support/GLTestWindow.h"
#include "tests/support/Pictures.h"
#include "tests/support/ScratchPack.h"

namespace {

const int WIDTH = 64;
const int HEIGHT = 16;

// An 8 x 8 24-bit TGA whose columns take the colours of columnColour(x).
template <class F>
std::vector<uint8_t> MakeColumnsTga(F columnColour)
{
    std::vector<uint8_t> bytes = MakeTgaHeader(2, 0, 8, 8, 24);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const uint32_t rgb = columnColour(x);
            bytes.insert(bytes.end(), {uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16)});
        }
    return bytes;
}

// Covers the window with the bound texture, s running from 0 to sMax.
std::vector<uint8_t> DrawTexture(CGLTestWindow& window, float sMax)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glClear(GL_COLOR_BUFFER_BIT);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(sMax, 0);
    glVertex2f(1, -1);
    glTexCoord2f(sMax, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(-1, 1);
    glEnd();
    return window.ReadPixels();
}

uint32_t RgbAt(const std::vector<uint8_t>& pixels, int x, int y)
{
    const uint8_t* p = &pixels[(static_cast<size_t>(y) * WIDTH + x) * 4];
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

// How many texture objects exist among the first names GL hands out.
int CountTextures()
{
    int count = 0;
    for (GLuint name = 1; name <= 1000; ++name)
        count += glIsTexture(name) ? 1 : 0;
    return count;
}

class BindImageTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_window.IsReady()); }
    void TearDown() override { glDeleteTextures(1, &m_texture); }

    CGLTestWindow m_window{WIDTH, HEIGHT};
    CScratchPack m_pack;
    GLuint m_texture = 0;
};

}  // namespace

// Left half red, right half blue, nearest: drawn twice over by repeat, and
// with wrap 0 too, since GL's default is repeat.
TEST_F(BindImageTest, WrapZeroRepeats)
{
    m_pack.Add("halves.tga", MakeColumnsTga([](int x) { return x < 4 ? 0xFF0000u : 0x0000FFu; }));
    for (GLenum wrap : {GLenum(0), GLenum(GL_REPEAT)}) {
        ASSERT_EQ(BindImage("halves.tga", m_texture, false, wrap), 1);
        const std::vector<uint8_t> pixels = DrawTexture(m_window, 2.0f);
        EXPECT_EQ(RgbAt(pixels, 8, 8), 0xFF0000u) << wrap;
        EXPECT_EQ(RgbAt(pixels, 24, 8), 0x0000FFu) << wrap;
        EXPECT_EQ(RgbAt(pixels, 40, 8), 0xFF0000u) << wrap;
        EXPECT_EQ(RgbAt(pixels, 56, 8), 0x0000FFu) << wrap;
        glDeleteTextures(1, &m_texture);
    }
}

// GL_CLAMP stretches the last column over everything beyond s = 1.
TEST_F(BindImageTest, ClampDoesNotRepeat)
{
    m_pack.Add("halves.tga", MakeColumnsTga([](int x) { return x < 4 ? 0xFF0000u : 0x0000FFu; }));
    ASSERT_EQ(BindImage("halves.tga", m_texture, false, GL_CLAMP), 1);
    const std::vector<uint8_t> pixels = DrawTexture(m_window, 2.0f);
    EXPECT_EQ(RgbAt(pixels, 8, 8), 0xFF0000u);
    EXPECT_EQ(RgbAt(pixels, 40, 8), 0x0000FFu);
    EXPECT_EQ(RgbAt(pixels, 56, 8), 0x0000FFu);
}

// Stripes one texel wide: nearest keeps every pixel pure, linear blends them.
TEST_F(BindImageTest, LinearFlagPicksFilter)
{
    m_pack.Add("stripes.tga", MakeColumnsTga([](int x) { return x % 2 ? 0xFFFFFFu : 0u; }));
    for (bool linear : {false, true}) {
        ASSERT_EQ(BindImage("stripes.tga", m_texture, linear, GL_CLAMP), 1);
        GLint minFilter = 0;
        GLint magFilter = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
        EXPECT_EQ(minFilter, linear ? GL_LINEAR : GL_NEAREST);
        EXPECT_EQ(magFilter, linear ? GL_LINEAR : GL_NEAREST);
        const std::vector<uint8_t> pixels = DrawTexture(m_window, 1.0f);
        int blended = 0;
        for (int x = 0; x < WIDTH; ++x) {
            const uint32_t rgb = RgbAt(pixels, x, 8);
            blended += rgb != 0 && rgb != 0xFFFFFFu;
        }
        if (linear)
            EXPECT_GT(blended, WIDTH / 4);
        else
            EXPECT_EQ(blended, 0);
        glDeleteTextures(1, &m_texture);
    }
}

// Success leaves the new texture bound, texturing on and alignment 1.
TEST_F(BindImageTest, LeavesTextureBound)
{
    m_pack.Add("halves.tga", MakeColumnsTga([](int) { return 0x00FF00u; }));
    glDisable(GL_TEXTURE_2D);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    ASSERT_EQ(BindImage("halves.tga", m_texture, true, 0), 1);
    EXPECT_NE(m_texture, 0u);
    GLint bound = 0;
    GLint alignment = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(GLuint(bound), m_texture);
    EXPECT_TRUE(glIsTexture(m_texture));
    EXPECT_EQ(alignment, 1);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(RgbAt(DrawTexture(m_window, 1.0f), 30, 8), 0x00FF00u);
}

// A picture that is no TGA goes to the JPEG decoder.
TEST_F(BindImageTest, JpegEntryBecomesTexture)
{
    m_pack.Add("texture/background.jpg", MakeJpeg(std::vector<uint8_t>(8 * 8, 180), 8, 8, 1));

    ASSERT_EQ(BindImage("texture/background.jpg", m_texture, true, 0), 1);
    const uint32_t rgb = RgbAt(DrawTexture(m_window, 1.0f), 30, 8);
    EXPECT_NEAR(int(rgb >> 16), 180, 2);
    EXPECT_EQ(rgb >> 16, rgb & 0xFF);
}

// A 16-bit TGA is neither TGA nor JPEG to us: 0, texture 0, no texture object.
TEST_F(BindImageTest, UnreadablePictureCreatesNoTexture)
{
    std::vector<uint8_t> bytes = MakeTgaHeader(2, 0, 8, 8, 16);
    bytes.resize(bytes.size() + 8 * 8 * 2, 0x55);
    m_pack.Add("deep.tga", bytes);
    const int before = CountTextures();
    m_texture = 12345;
    EXPECT_EQ(BindImage("deep.tga", m_texture, true, GL_REPEAT), 0);
    EXPECT_EQ(m_texture, 0u);
    m_texture = 12345;
    EXPECT_EQ(BindImage("missing.tga", m_texture, true, GL_REPEAT), 0);
    EXPECT_EQ(m_texture, 0u);
    EXPECT_EQ(CountTextures(), before);
}
