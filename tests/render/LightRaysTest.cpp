// The light-ray fan drawn over black and read back. Brightness at height y of
// the view is w (1 + y) / 2048 with w the caustic level a ray reads, since the
// colour runs from w/2048 at the bottom to w/1024 at the top.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "assets/DIB32.h"
#include "fish/SmartPtr.h"
#include "render/LightRays.h"
#include "render/Ortho2D.h"
#include "tests/support/GLTestWindow.h"
#include "tests/support/Pictures.h"

namespace {
const int WIDTH = 250;
const int HEIGHT = 64;

class CLightRaysTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_window.IsReady()); }

    // A 64 x 64 caustic pattern whose red byte at (memory row, column) is level(row, column).
    void MakeCaustic(const std::function<int(int row, int column)>& level)
    {
        m_caustic = new CSmartPtrWrap<CDIB32>();
        ASSERT_TRUE(m_caustic->Create(64, 64));
        uint8_t* pixel = m_caustic->GetBits();
        for (int row = 0; row < 64; ++row)
            for (int column = 0; column < 64; ++column, pixel += 4)
                pixel[0] = pixel[1] = pixel[2] = static_cast<uint8_t>(level(row, column));
    }

    void Draw(double sceneTime)
    {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        PushOrtho2D();
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        DrawLightRays(sceneTime, *m_caustic);
        PopOrtho2D();
        m_pixels = m_window.ReadPixels();
    }

    int Red(int x, int row) const { return PixelAt(m_pixels, WIDTH, x, row).r; }

    CGLTestWindow m_window{WIDTH, HEIGHT};
    CSmartPtr<CDIB32> m_caustic;
    std::vector<uint8_t> m_pixels;
};

// 255 (1 + y) / 2048 x w, rounded, at the centre of a pixel row.
int Expected(int level, int row)
{
    const double y = (row + 0.5) / HEIGHT;
    return static_cast<int>(255.0 * level * (1.0 + y) / 2048.0 + 0.5);
}
}  // namespace

// Each ray averages two rows half a pattern apart, and the pattern scrolls 15
// rows per second: rows hold level 4 x row, so at time 0 the rays read rows 0
// and 32 (w = 64) and at 1 s rows 15 and 47 (w = 124).
TEST_F(CLightRaysTest, AveragesRowsHalfAPatternApartAndScrolls)
{
    MakeCaustic([](int row, int) { return 4 * row; });
    Draw(0.0);
    EXPECT_NEAR(Red(125, 63), Expected(64, 63), 1);
    EXPECT_NEAR(Red(125, 0), Expected(64, 0), 1);
    Draw(1.0);
    EXPECT_NEAR(Red(125, 63), Expected(124, 63), 1);
    EXPECT_NEAR(Red(125, 32), Expected(124, 32), 1);
}

// Ray i reads column 3i mod 64: ray 40 (top at 157 px) reads column 56 (level
// 224), ray 43 (top at 169 px) column 1 (level 4), so the top row goes from
// bright to nearly dark there.
TEST_F(CLightRaysTest, NeighbouringRaysReadEveryThirdColumn)
{
    MakeCaustic([](int, int column) { return 4 * column; });
    Draw(0.0);
    EXPECT_NEAR(Red(157, 63), Expected(224, 63), 4);
    EXPECT_LE(Red(169, 63), 4);
}

// The fan reaches every corner of the view, twice as bright at the surface
// as at the bottom.
TEST_F(CLightRaysTest, FanCoversViewBrightestAtSurface)
{
    MakeCaustic([](int, int) { return 255; });
    Draw(0.0);
    for (int x : {0, WIDTH / 2, WIDTH - 1}) {
        EXPECT_NEAR(Red(x, 0), Expected(255, 0), 1) << x;
        EXPECT_NEAR(Red(x, HEIGHT - 1), Expected(255, HEIGHT - 1), 1) << x;
    }
}

// A pattern smaller than 64 x 64 wraps at its own size instead of being read past its end.
TEST_F(CLightRaysTest, SmallPatternWrapsAtItsOwnSize)
{
    m_caustic = new CSmartPtrWrap<CDIB32>();
    ASSERT_TRUE(m_caustic->Create(8, 8));
    uint8_t* pixel = m_caustic->GetBits();
    for (int i = 0; i < 64; ++i, pixel += 4)
        pixel[0] = 200;
    Draw(2.0);
    EXPECT_NEAR(Red(125, 32), Expected(200, 32), 1);
}

// A pattern wider than high wraps rows and columns each at its own side. At
// 13 rows in, ray 40 (column 56, top at 157 px) reads rows 13 and 45 of column
// 56, that is row 5 and column 8 both times: the one lit texel.
TEST_F(CLightRaysTest, WidePatternWrapsEachSideAtItsOwnSize)
{
    m_caustic = new CSmartPtrWrap<CDIB32>();
    ASSERT_TRUE(m_caustic->Create(16, 8));
    std::fill(m_caustic->GetBits(), m_caustic->GetBits() + 16 * 8 * 4, 0);
    m_caustic->GetBits()[(5 * 16 + 8) * 4] = 255;
    Draw(13.5 / 15.0);
    EXPECT_NEAR(Red(157, 63), Expected(255, 63), 4);
}
