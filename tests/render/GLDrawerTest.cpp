// The scene renderer drawing real frames into a test window, with a pack of
// hand-made pictures so every expected pixel is known: a background whose
// texel (x, y) is (4x, 4y, 77) on a 64 x 64 window (one texel per pixel), a
// white bubble sprite, a flat caustic pattern and, where a test needs one, a
// font sheet. The frame clock is the test's own.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/Random.h"
#include "app/Settings.h"
#include "app/Trace.h"
#include "assets/Pack.h"
#include "fish/FishActor.h"
#include "platform/ScreenCapture.h"
#include "render/BubbleSystem.h"
#include "render/GLDrawer.h"
#include "tests/support/GLTestWindow.h"
#include "tests/support/Pictures.h"
#include "tests/support/ScratchPack.h"
#include "tests/support/FishTestScene.h"
#include "tests/support/TestFishModels.h"

namespace {
const int SIZE = 64;

// The test's clock: a counter of microseconds that only the test moves.
int64_t g_nowUs = 0;

bool QueryTestFrequency(int64_t* frequency)
{
    *frequency = 1000000;
    return true;
}

bool QueryTestCounter(int64_t* count)
{
    *count = g_nowUs;
    return true;
}

uint32_t GetNoTicks()
{
    return 0;
}

const SFrameClock TEST_CLOCK = {QueryTestFrequency, QueryTestCounter, GetNoTicks};

SPixel BackgroundTexel(int x, int y)
{
    return SPixel{4 * x, 4 * y, 77};
}

class CGLDrawerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_window.IsReady());
        SeedRandom(1);
        SetDefaultSettings();
        g_Settings.YellowFishCount = g_Settings.BlueFishCount = 0;
        g_Settings.PearlFishCount = g_Settings.TinyFishCount = 0;
        g_Settings.EnableRipples = 0;
        ResetTrace();
        g_nowUs = 0;
        CBubbleSystem& bubbles = GetBubbleSystem();
        while (bubbles.GetCount() > 0)
            bubbles.Remove(0);
        m_pack.Add("texture/background.jpg", MakeColourTga(SIZE, SIZE, BackgroundTexel));
        m_pack.Add("texture/grass.tga", MakeColourTga(8, 8, [](int, int) { return SPixel{255, 255, 255}; }));
    }

    void AddCaustic(int level)
    {
        m_pack.Add("caust.tga", MakeColourTga(64, 64, [=](int, int) { return SPixel{level, level, level}; }));
    }

    // A renderer on the test's clock, set up in the test window.
    CSmartPtr<CGLDrawer> MakeDrawer()
    {
        CSmartPtr<CGLDrawer> drawer = new CSmartPtrWrap<CGLDrawer>(TEST_CLOCK);
        drawer->Init();
        return drawer;
    }

    // Draws one frame at this clock reading (microseconds) over a cleared colour the
    // background never has (blue 255), and reads it back.
    void DrawAt(CGLDrawer& drawer, int64_t nowUs)
    {
        g_nowUs = nowUs;
        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        drawer.Draw();
        m_pixels = m_window.ReadPixels();
    }

    SPixel At(int x, int row) const { return PixelAt(m_pixels, SIZE, x, row); }

    CScratchPack m_pack;
    CGLTestWindow m_window{SIZE, SIZE};
    std::vector<uint8_t> m_pixels;
};

void ExpectPixelNear(const SPixel& actual, const SPixel& expected, int tolerance, const std::string& where)
{
    EXPECT_NEAR(actual.r, expected.r, tolerance) << where;
    EXPECT_NEAR(actual.g, expected.g, tolerance) << where;
    EXPECT_NEAR(actual.b, expected.b, tolerance) << where;
}
}  // namespace

// With ripples off the picture lies exactly over the window: every pixel shows
// its own texel and none keeps the cleared colour.
TEST_F(CGLDrawerTest, BackgroundCoversWindowExactlyWithoutRipples)
{
    AddCaustic(0);
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    DrawAt(*drawer, 0);
    for (int row = 0; row < SIZE; ++row)
        for (int x = 0; x < SIZE; ++x)
            ExpectPixelNear(At(x, row), BackgroundTexel(x, row), 2,
                            "pixel " + std::to_string(x) + "," + std::to_string(row));
}

// With ripples on the picture moves, but the enlarged grid still covers every pixel.
TEST_F(CGLDrawerTest, RippledBackgroundLeavesNoGap)
{
    g_Settings.EnableRipples = 1;
    AddCaustic(0);
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    for (int64_t now : {0, 100000, 200000, 300000}) {
        DrawAt(*drawer, now);
        int uncovered = 0;
        for (int row = 0; row < SIZE; ++row) {
            for (int x = 0; x < SIZE; ++x) {
                // Bubbles rising from 0.8 across brighten blue too, but never leave red at 0.
                const SPixel p = At(x, row);
                uncovered += p.r == 0 && p.g == 0 && p.b == 255;
            }
        }
        EXPECT_EQ(uncovered, 0) << "at " << now << " us";
    }
}

// Fade 50 halves the picture's brightness at the same pixel; Fade 100 leaves it whole.
TEST_F(CGLDrawerTest, FadeFiftyHalvesBackground)
{
    AddCaustic(0);
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    DrawAt(*drawer, 0);
    const SPixel full = At(50, 40);
    ExpectPixelNear(full, SPixel{200, 160, 77}, 2, "Fade 100");
    g_Settings.Fade = 50;
    DrawAt(*drawer, 10000);
    ExpectPixelNear(At(50, 40), SPixel{100, 80, 38}, 2, "Fade 50");
}

// Fade 0 blackens the picture, while the rays (caustic level 128: 0.0625 to
// 0.125 added from bottom to top) and a bubble (white sprite at 0.7) still add light.
TEST_F(CGLDrawerTest, FadeZeroBlackensBackgroundOnly)
{
    g_Settings.Fade = 0;
    AddCaustic(128);
    GetBubbleSystem().Add(SVector3{0.25f, 0.5f, 0.5f}, 0.1f);
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    DrawAt(*drawer, 0);
    // Rays alone at mid-height: 255 x 128 x 1.5 / 2048 = 23.9.
    const int ray = 24;
    ExpectPixelNear(At(48, 32), SPixel{ray, ray, ray}, 2, "rays over a black background");
    ExpectPixelNear(At(16, 32), SPixel{178 + ray, 178 + ray, 178 + ray}, 3, "bubble over the rays");
}

// A 2 s stall advances the scene by only 0.1 s (two bubble groups), while the
// counter tells the truth about the frame: 0.50 fps.
TEST_F(CGLDrawerTest, LongFrameStepLimitedButCounterShowsRealRate)
{
    g_Settings.EnableFPS = 1;
    AddCaustic(0);
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    DrawAt(*drawer, 0);
    DrawAt(*drawer, 2000000);
    EXPECT_DOUBLE_EQ(drawer->GetSceneTime(), 0.1);
    EXPECT_EQ(GetBubbleSystem().GetCount(), 10u);
    EXPECT_STREQ(drawer->GetFrameRateText(), "0.50 fps");
}

// A clock that steps back leaves the scene and its bubbles where they were;
// the next forward step moves on from there.
TEST_F(CGLDrawerTest, BackwardClockStepHoldsScene)
{
    AddCaustic(0);
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    DrawAt(*drawer, 0);
    DrawAt(*drawer, 50000);
    const size_t bubbles = GetBubbleSystem().GetCount();
    DrawAt(*drawer, 20000);
    EXPECT_DOUBLE_EQ(drawer->GetSceneTime(), 0.05);
    EXPECT_EQ(GetBubbleSystem().GetCount(), bubbles);
    DrawAt(*drawer, 70000);
    EXPECT_DOUBLE_EQ(drawer->GetSceneTime(), 0.1);
}

// Skipping ninety days moves the scene clock there but emits none of the
// bubble groups of those days; the stream then goes on at 100 bubbles a
// second (a group may fall into the next frame at that clock's precision),
// not as a full store.
TEST_F(CGLDrawerTest, SkipAheadEmitsNoBackloggedBubbles)
{
    AddCaustic(0);
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    DrawAt(*drawer, 0);
    drawer->SkipAhead(90 * 86400.0);
    EXPECT_DOUBLE_EQ(drawer->GetSceneTime(), 7776000.0);
    EXPECT_EQ(GetBubbleSystem().GetCount(), 0u);
    for (int frame = 1; frame <= 10; ++frame)
        DrawAt(*drawer, frame * 100000);
    EXPECT_GE(GetBubbleSystem().GetCount(), 95u);
    EXPECT_LE(GetBubbleSystem().GetCount(), 105u);
}

// Frames less than 0.1 ms apart read as 1.00 fps instead of an absurd rate.
TEST_F(CGLDrawerTest, NearZeroFrameReadsOneFps)
{
    g_Settings.EnableFPS = 1;
    AddCaustic(0);
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    DrawAt(*drawer, 1000000);
    DrawAt(*drawer, 1000050);
    EXPECT_STREQ(drawer->GetFrameRateText(), "1.00 fps");
    DrawAt(*drawer, 1020050);
    EXPECT_STREQ(drawer->GetFrameRateText(), "50.00 fps");
}

// With the counter off nothing is formatted.
TEST_F(CGLDrawerTest, CounterOffFormatsNothing)
{
    AddCaustic(0);
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    DrawAt(*drawer, 0);
    DrawAt(*drawer, 20000);
    EXPECT_STREQ(drawer->GetFrameRateText(), "");
}

// The counter's first cell has its top-left corner at (0.02, 0.98) of the view:
// with an all-lit sheet, "1.00 fps" is one white bar from 0.02 to 0.18 across
// and 0.96 to 0.98 up, i.e. pixel columns 1.28 .. 11.52 and rows 61.44 .. 62.72.
TEST_F(CGLDrawerTest, CounterTextSitsAtTopLeftInset)
{
    g_Settings.EnableFPS = 1;
    g_Settings.Fade = 0;
    AddCaustic(0);
    m_pack.Add("texture/font.tga", MakeGreyTga(256, 256, [](int, int) { return uint8_t{255}; }));
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    DrawAt(*drawer, 0);
    EXPECT_EQ(At(2, 62).r, 255);
    EXPECT_EQ(At(10, 62).r, 255);
    EXPECT_EQ(At(0, 62).r, 0);
    EXPECT_EQ(At(2, 63).r, 0);
    EXPECT_EQ(At(2, 60).r, 0);
    EXPECT_EQ(At(12, 62).r, 0);
}

// Without a font sheet the counter still draws, as solid blocks in its colour.
TEST_F(CGLDrawerTest, MissingFontSheetDrawsBlocks)
{
    g_Settings.EnableFPS = 1;
    g_Settings.Fade = 0;
    AddCaustic(0);
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    DrawAt(*drawer, 0);
    EXPECT_EQ(At(2, 62).r, 255);
    EXPECT_EQ(At(10, 62).r, 255);
    EXPECT_EQ(At(12, 62).r, 0);
}

// Without the caustic picture set-up fails with the renderer's trace and no
// message of its own, which the message box shows as "Unknown Error".
TEST_F(CGLDrawerTest, MissingCausticFailsSetUpWithUnknownError)
{
    CSmartPtr<CGLDrawer> drawer = new CSmartPtrWrap<CGLDrawer>(TEST_CLOCK);
    EXPECT_THROW(drawer->Init(), SSaverFailure);
    EXPECT_EQ(g_strTrace, "CGLDrawer::Init()");
    EXPECT_EQ(FormatFailure(), "CGLDrawer::Init()\n\n\"Unknown Error\"");
}

// The desktop picture is the screen as it was when the renderer was built,
// stretched over the view and darkened by 255/256: our window filled with
// (200, 120, 40) at the screen's top-left shows as (199, 119, 39) there.
TEST_F(CGLDrawerTest, DesktopPictureShowsScreenAsBuilt)
{
    g_Settings.UseDesktopBitmap = 1;
    g_Settings.BackgroundRes = SIZE;
    AddCaustic(0);
    glClearColor(200 / 255.0f, 120 / 255.0f, 40 / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    m_window.Swap();
    glFinish();
    // The screen's corner shows this window's frame once the X server has it,
    // until a window of a test running beside this one is mapped over it.
    const auto cornerIsOurs = [] {
        uint8_t corner[8 * 8 * 4] = {};
        return SysCaptureScreen(corner, 8, 8) && corner[(7 * 8) * 4 + 2] == 200;
    };
    CSmartPtr<CGLDrawer> drawer;
    for (int attempt = 0; attempt < 20; ++attempt) {
        for (int wait = 0; wait < 100 && !cornerIsOurs(); ++wait) {
        }
        drawer = MakeDrawer();
        // The copy counts only if the corner was ours before and after it was made.
        if (cornerIsOurs())
            break;
    }
    DrawAt(*drawer, 0);
    ExpectPixelNear(At(0, SIZE - 1), SPixel{199, 119, 39}, 0, "top-left");
}

// Where the screen cannot be read the renderer says so and shows the pack's picture.
TEST_F(CGLDrawerTest, UnreadableScreenFallsBackToPackPicture)
{
    g_Settings.UseDesktopBitmap = 1;
    AddCaustic(0);
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    unsetenv("DISPLAY");
    testing::internal::CaptureStderr();
    CSmartPtr<CGLDrawer> drawer = new CSmartPtrWrap<CGLDrawer>(TEST_CLOCK);
    const std::string said = testing::internal::GetCapturedStderr();
    setenv("DISPLAY", display.c_str(), 1);
    EXPECT_NE(said.find("desktop picture cannot be copied"), std::string::npos) << said;

    drawer->Init();
    DrawAt(*drawer, 0);
    ExpectPixelNear(At(50, 40), BackgroundTexel(50, 40), 2, "pack picture");
}

// A picture size no image can have falls back to the pack's picture instead of
// scaling the screen into nothing.
TEST_F(CGLDrawerTest, OversizedDesktopPictureFallsBackToPackPicture)
{
    g_Settings.UseDesktopBitmap = 1;
    g_Settings.BackgroundRes = 1 << 20;
    AddCaustic(0);
    testing::internal::CaptureStderr();
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("desktop picture cannot be copied"), std::string::npos);
    DrawAt(*drawer, 0);
    ExpectPixelNear(At(50, 40), BackgroundTexel(50, 40), 2, "pack picture");
}

// On a window twice as wide as high a bubble is as wide as it is high: its
// size (half its edge) of 0.2 is measured in window heights, so it covers
// 0.4 x 64 = 25.6 pixels both ways.
TEST_F(CGLDrawerTest, BubblesAreRoundOnAWideWindow)
{
    g_Settings.Fade = 0;
    AddCaustic(0);
    CGLTestWindow wide(128, 64);
    ASSERT_TRUE(wide.IsReady());
    GetBubbleSystem().Add({0.5f, 0.5f, 0.5f}, 0.2f);
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    drawer->Draw();
    const std::vector<uint8_t> pixels = wide.ReadPixels();
    int left = 128, right = -1, bottom = 64, top = -1;
    for (int row = 0; row < 64; ++row)
        for (int x = 0; x < 128; ++x)
            if (PixelAt(pixels, 128, x, row).r > 100) {
                left = std::min(left, x);
                right = std::max(right, x);
                bottom = std::min(bottom, row);
                top = std::max(top, row);
            }
    EXPECT_NEAR(right - left + 1, 25.6, 1.5);
    EXPECT_NEAR(top - bottom + 1, 25.6, 1.5);
}

// Every kind gets as many fish as its setting says; a count below 1 makes none.
TEST_F(CGLDrawerTest, CreatesFishOfEachKindByCount)
{
    AddCaustic(0);
    g_Settings.YellowFishCount = 2;
    g_Settings.BlueFishCount = 1;
    g_Settings.PearlFishCount = -3;
    g_Settings.TinyFishCount = 3;
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    EXPECT_EQ(drawer->GetFishCount(), 6u);
}

// A count no store should hold ends set-up with a clear message before any
// fish is allocated, instead of eating memory until the show dies.
TEST_F(CGLDrawerTest, HugeFishCountFailsWithMessage)
{
    AddCaustic(0);
    g_Settings.TinyFishCount = 2000000000;
    CSmartPtr<CGLDrawer> drawer = new CSmartPtrWrap<CGLDrawer>(TEST_CLOCK);
    EXPECT_THROW(drawer->Init(), SSaverFailure);
    EXPECT_EQ(drawer->GetFishCount(), 0u);
    EXPECT_EQ(FormatFailure(), "CGLDrawer::Init()\n\n\"Too many fish: at most 1000 of each kind\"");
}

// With the real pack, fish show over the same frame drawn without them: the
// first frame has no step, so bubbles and rays come out the same either way.
TEST_F(CGLDrawerTest, FishDrawOverTheScene)
{
    ASSERT_EQ(LoadResourcePack(PACK_RESOURCE_ID), 1);
    CSmartPtr<CGLDrawer> empty = MakeDrawer();
    DrawAt(*empty, 0);
    const std::vector<uint8_t> without = m_pixels;

    g_Settings.YellowFishCount = g_Settings.PearlFishCount = 3;
    CSmartPtr<CGLDrawer> stocked = MakeDrawer();
    DrawAt(*stocked, 0);
    int changed = 0;
    for (size_t i = 0; i < without.size(); i += 4)
        changed += without[i] != m_pixels[i] || without[i + 1] != m_pixels[i + 1];
    EXPECT_GT(changed, SIZE * SIZE / 50);
}

// Drawing the same moment twice gives the same frame: the second frame's
// depth buffer starts clear and its fish write depth again, so nearer fish
// still hide farther ones wherever many overlap.
TEST_F(CGLDrawerTest, SameMomentTwiceGivesSameFrame)
{
    ASSERT_EQ(LoadResourcePack(PACK_RESOURCE_ID), 1);
    g_Settings.YellowFishCount = g_Settings.BlueFishCount = 8;
    g_Settings.PearlFishCount = g_Settings.TinyFishCount = 8;
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    DrawAt(*drawer, 0);
    const std::vector<uint8_t> first = m_pixels;
    DrawAt(*drawer, 0);
    EXPECT_TRUE(first == m_pixels);
}

// A bubble behind a fish is hidden where the fish is and adds its light
// around it: the fish's pixels stay exactly as they were without the bubble.
TEST_F(CGLDrawerTest, BubbleBehindFishIsHidden)
{
    ASSERT_EQ(LoadResourcePack(PACK_RESOURCE_ID), 1);
    CSmartPtr<CGLDrawer> empty = MakeDrawer();
    DrawAt(*empty, 0);
    const std::vector<uint8_t> sea = m_pixels;
    g_Settings.YellowFishCount = 3;
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    DrawAt(*drawer, 0);
    const std::vector<uint8_t> fish = m_pixels;
    GetBubbleSystem().Add({0.5f, 0.5f, -1.5f}, 0.6f);
    DrawAt(*drawer, 0);
    int fishPixels = 0, lit = 0;
    for (size_t i = 0; i < sea.size(); i += 4) {
        const bool isFish = sea[i] != fish[i] || sea[i + 1] != fish[i + 1] || sea[i + 2] != fish[i + 2];
        const bool changed = m_pixels[i] != fish[i] || m_pixels[i + 1] != fish[i + 1] || m_pixels[i + 2] != fish[i + 2];
        fishPixels += isFish;
        if (isFish)
            EXPECT_FALSE(changed) << "bubble over fish pixel " << i / 4;
        else
            lit += changed;
    }
    ASSERT_GT(fishPixels, 20);
    EXPECT_GT(lit, 20);
}

// The fish are lit: unlit, every fish pixel would show its skin's own plain
// colour; lit, the sides turned from the light are darker (only the
// highlights saturate back to the skin's colour).
TEST_F(CGLDrawerTest, FishAreLit)
{
    AddCaustic(0);
    AddTestFishModels(m_pack);
    ASSERT_TRUE(CFishActor::GetModel().Load("fish.sca"));
    CSmartPtr<CGLDrawer> empty = MakeDrawer();
    DrawAt(*empty, 0);
    const std::vector<uint8_t> sea = m_pixels;
    g_Settings.YellowFishCount = 6;
    CSmartPtr<CGLDrawer> drawer = MakeDrawer();
    DrawAt(*drawer, 0);
    int fishPixels = 0;
    for (size_t i = 0; i < sea.size(); i += 4)
        fishPixels += sea[i] != m_pixels[i] || sea[i + 1] != m_pixels[i + 1] || sea[i + 2] != m_pixels[i + 2];
    ASSERT_GT(fishPixels, 20);
    EXPECT_GT(fishPixels - FindSkinPixels(m_pixels, SIZE, SIZE).count, fishPixels / 4);
}
