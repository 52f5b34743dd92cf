// The renderer's bubble stream: groups of five from near the bottom right.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/Random.h"
#include "app/Settings.h"
#include "render/Bubbles.h"
#include "render/Ortho2D.h"
#include "tests/support/GLTestWindow.h"
#include "tests/support/Pictures.h"

namespace {
class CBubbleEmissionTest : public testing::Test
{
protected:
    void SetUp() override
    {
        SeedRandom(5);
        CBubbleSystem& store = GetBubbleSystem();
        while (store.GetCount() > 0)
            store.Remove(0);
        m_emission.interval = 0.05;
    }

    SEmissionClock m_emission;
};
}  // namespace

// A 0.1 s frame (the renderer's limit) at 0.05 s intervals emits two groups:
// ten bubbles at the bottom, mid-depth, around x = 0.8, sized 0.002 to 0.01.
TEST_F(CBubbleEmissionTest, FullFrameEmitsTwoGroups)
{
    EmitBubbles(m_emission, 0.1);
    const CBubbleSystem& store = GetBubbleSystem();
    ASSERT_EQ(store.GetCount(), 10u);
    for (uint32_t i = 0; i < store.GetCount(); ++i) {
        const SBubble& bubble = store.GetBubble(i);
        EXPECT_GE(bubble.x, 0.79f);
        EXPECT_LE(bubble.x, 0.81f);
        EXPECT_EQ(bubble.y, 0.0f);
        EXPECT_EQ(bubble.z, 0.5f);
        EXPECT_GE(bubble.size, 0.002f);
        EXPECT_LE(bubble.size, 0.01f);
    }
}

// A zero step emits nothing and draws no random number.
TEST_F(CBubbleEmissionTest, ZeroStepEmitsNothing)
{
    SeedRandom(5);
    const int first = Random();
    SeedRandom(5);
    EmitBubbles(m_emission, 0.0);
    EXPECT_EQ(GetBubbleSystem().GetCount(), 0u);
    EXPECT_EQ(Random(), first);
}

// Each bubble draws its position before its size: with the first two numbers
// r0 and r1, x = 0.8 - 0.01 + 0.02 r0 / 32767 and size = 0.002 + 0.008 r1 / 32767.
TEST_F(CBubbleEmissionTest, PositionDrawnBeforeSize)
{
    const int r0 = Random();
    const int r1 = Random();
    SeedRandom(5);
    EmitBubbles(m_emission, 0.05);
    const SBubble& first = GetBubbleSystem().GetBubble(0);
    EXPECT_NEAR(first.x, 0.79 + 0.02 * r0 / 32767.0, 1e-6);
    EXPECT_NEAR(first.size, 0.002 + 0.008 * r1 / 32767.0, 1e-6);
}

// A store near its limit takes what fits and drops the rest of the group.
TEST_F(CBubbleEmissionTest, FullStoreDropsRestOfGroup)
{
    CBubbleSystem& store = GetBubbleSystem();
    for (uint32_t i = 0; i < 1022; ++i)
        store.Add(SVector3{0.1f, 0.1f, 0.1f}, 0.01f);
    EmitBubbles(m_emission, 0.1);
    EXPECT_EQ(store.GetCount(), 1024u);
    EXPECT_EQ(store.GetBubble(1023).z, 0.5f);
}

// A bubble is drawn as a square of twice its size around its centre, with the
// sprite upright and unmirrored: a sprite white only in its top-left quarter
// lights only the square's top-left quarter.
TEST(DrawBubble, DrawsUprightSpriteSquare)
{
    const int size = 64;
    CGLTestWindow window(size, size);
    ASSERT_TRUE(window.IsReady());
    SetDefaultSettings();
    g_Settings.EnableRipples = 0;

    std::vector<uint8_t> sprite(8 * 8 * 4);
    for (int i = 0; i < 64; ++i)
        for (int c = 0; c < 4; ++c)
            sprite[i * 4 + c] = (i % 8) < 4 && i / 8 >= 4 ? 255 : 0;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, sprite.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    PushOrtho2D();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glColor3f(0.7f, 0.7f, 0.7f);
    // The square runs from 0.25 to 0.75 both ways: pixels 16 to 48.
    DrawBubble(SBubble{0.5f, 0.5f, 0.5f, 0.25f}, 1.0f);
    PopOrtho2D();
    const std::vector<uint8_t> pixels = window.ReadPixels();
    glDeleteTextures(1, &texture);

    EXPECT_NEAR(PixelAt(pixels, size, 17, 47).r, 178, 1);
    EXPECT_NEAR(PixelAt(pixels, size, 30, 34).r, 178, 1);
    EXPECT_EQ(PixelAt(pixels, size, 20, 20).r, 0);
    EXPECT_EQ(PixelAt(pixels, size, 44, 44).r, 0);
    EXPECT_EQ(PixelAt(pixels, size, 14, 44).r, 0);
    EXPECT_EQ(PixelAt(pixels, size, 20, 49).r, 0);
}
