// The ripple field seen through RippleDisplace. Expected heights were worked
// out by hand from the ring formula: at scene time 0 the cell at squared
// distance d from (128, 128) holds 128 + 127 sin(2 pi ((d / 32) mod 256) / 256),
// so d = 32768 -> 128, 32513 -> 103, 32260 -> 79, 32005 -> 57.
#include <gtest/gtest.h>

#include "app/Settings.h"
#include "render/Ripple.h"

namespace {
class CRippleTest : public testing::Test
{
protected:
    void SetUp() override
    {
        SetDefaultSettings();
        BuildRippleSineTable();
        UpdateRippleField(0.0);
    }
};
}  // namespace

// Both neighbours of the corner cell lie at the same distance from the centre,
// so the corner only gets the fixed enlargement.
TEST_F(CRippleTest, CornerAtOriginOnlyEnlarged)
{
    float x, y;
    RippleDisplace(0.0f, 0.0f, x, y);
    EXPECT_NEAR(x, -0.005f, 1e-6);
    EXPECT_NEAR(y, -0.005f, 1e-6);
}

// u = v = 1 must use cell 255 (not 256, which lies outside the field):
// neighbours 0 (d = 32513, height 103) and 254 (d = 32005, height 57).
TEST_F(CRippleTest, FarCornerClampsToLastCell)
{
    float x, y;
    RippleDisplace(1.0f, 1.0f, x, y);
    EXPECT_NEAR(x, 1.005f + 0.0001f * (103 - 57), 1e-6);
    EXPECT_NEAR(y, 1.005f + 0.0001f * (103 - 57), 1e-6);
}

// Coordinates beyond the square read the edge cells, never memory outside.
TEST_F(CRippleTest, OutsideCoordinatesReadEdgeCells)
{
    float x, y;
    RippleDisplace(1.5f, -0.25f, x, y);
    // Row 255, column 0: across = h[0][0] - h[254][0] = 128 - 79; up = h[255][1] - h[255][255] = 103 - 103.
    EXPECT_NEAR(x, 1.01f * 1.5f - 0.005f + 0.0001f * (128 - 79), 1e-6);
    EXPECT_NEAR(y, 1.01f * -0.25f - 0.005f, 1e-6);
}

// Half a second later the table is read half a period on: the far corner's
// neighbours become 152 and 198, so its displacement changes sign.
TEST_F(CRippleTest, RingsMoveWithSceneTime)
{
    UpdateRippleField(0.5);
    float x, y;
    RippleDisplace(1.0f, 1.0f, x, y);
    EXPECT_NEAR(x, 1.005f + 0.0001f * (152 - 198), 1e-6);
    EXPECT_NEAR(y, 1.005f + 0.0001f * (152 - 198), 1e-6);
}

// With ripples off the point comes back bit for bit, so the background is the exact square.
TEST_F(CRippleTest, DisabledRipplesReturnPointExactly)
{
    g_Settings.EnableRipples = 0;
    const float points[][2] = {{0.0f, 0.0f}, {1.0f, 1.0f}, {0.3f, 0.7f}, {0.015625f, 0.984375f}};
    for (const auto& p : points) {
        float x, y;
        RippleDisplace(p[0], p[1], x, y);
        EXPECT_EQ(x, p[0]);
        EXPECT_EQ(y, p[1]);
    }
}
