#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>

#include "app/Random.h"
#include "fish/FishActor.h"
#include "fish/SmallFishActor.h"
#include "tests/support/FishTestScene.h"
#include "tests/support/TestFishModels.h"

namespace {

// A fish put at a chosen place and heading, as its path would put it.
template <class TActor>
class CPlacedFish : public TActor
{
public:
    void Place(const SVector3& position, const SVector3& direction)
    {
        this->m_position = position;
        this->m_direction = direction;
    }
};

// An actor that only lends its base's one-time model load.
class CLoadProbe : public CActorBase
{
public:
    int Init() override { return 1; }
    void Update(float, float) override {}
    void Draw() override {}
    using CActorBase::LoadModelOnce;
};

class ActorBaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_scene.IsReady());
        SeedRandom(17);
    }

    SSkinPixels DrawAlone(CActorI& fish)
    {
        m_scene.BeginFrame();
        fish.Draw();
        return FindSkinPixels(m_scene.ReadPixels(), m_scene.GetWidth(), m_scene.GetHeight());
    }

    CFishTestScene m_scene;
};

}  // namespace

// A yellow fish at (0.3, 0.6) facing +x shows its skin around that point and nowhere else:
// the body square spans 0.5 * 0.15 * (0.5 + 0.5) = 0.075 either side.
TEST_F(ActorBaseTest, DrawsFishAtItsPlace)
{
    CPlacedFish<CFishActor> fish;
    ASSERT_TRUE(fish.Init());
    fish.Update(0.0f, 1.0f);
    fish.Place({0.3f, 0.6f, 0.5f}, {1, 0, 0});
    const SSkinPixels skin = DrawAlone(fish);
    const double size = m_scene.GetSize();
    ASSERT_GT(skin.count, 0);
    EXPECT_NEAR(skin.meanX / size, 0.3, 1.5 / size);
    EXPECT_NEAR(skin.meanY / size, 0.6, 1.5 / size);
    EXPECT_NEAR((skin.maxX - skin.minX + 1) / size, 0.15, 2.0 / size);
    EXPECT_NEAR((skin.maxY - skin.minY + 1) / size, 0.15, 2.0 / size);
}

// A fish at the back (z = 0) is drawn at a third of the size of one in front (z = 1).
TEST_F(ActorBaseTest, BackFishIsThirdOfFrontFish)
{
    CPlacedFish<CFishActor> fish;
    ASSERT_TRUE(fish.Init());
    fish.Update(0.0f, 1.0f);
    fish.Place({0.5f, 0.5f, 0.0f}, {1, 0, 0});
    const SSkinPixels back = DrawAlone(fish);
    fish.Place({0.5f, 0.5f, 1.0f}, {1, 0, 0});
    const SSkinPixels front = DrawAlone(fish);
    ASSERT_GT(back.count, 0);
    const double backWidth = back.maxX - back.minX + 1, frontWidth = front.maxX - front.minX + 1;
    EXPECT_NEAR(backWidth / frontWidth, 1.0 / 3.0, 0.03);
    EXPECT_NEAR(frontWidth / m_scene.GetSize(), 2 * 0.5 * 0.15 * 1.5, 2.0 / m_scene.GetSize());
}

// The model's Y axis points along the heading: a node set half a unit
// towards the head is drawn half a unit times the scale along the heading.
// Swimming right the fish shows its +X flank, swimming left the other one,
// which the one-sided test square does not have.
TEST_F(ActorBaseTest, ModelHeadPointsAlongHeading)
{
    m_scene.GetPack().Add("test/ahead.sca", ToBytes("NODE sfish\nTMATRIX 0 0.5 0\nSMATRIX 0.005 0.005 0.005\n"
                                                    "RMATRIX 1 0 0 0 1 0 0 0 1\nMODEL test/body.mod\nCHILDS 0\n"));
    ASSERT_TRUE(CSmallFishActor::GetModel().Load("test/ahead.sca"));
    CPlacedFish<CSmallFishActor> fish;
    ASSERT_TRUE(fish.Init());
    fish.Update(0.0f, 1.0f);
    const float scale = 0.1f * (0.5f + 0.5f);
    for (const SVector3 heading : {SVector3{1, 0, 0}, SVector3{0.6f, 0.8f, 0}, SVector3{0.6f, -0.8f, 0}}) {
        fish.Place({0.5f, 0.4f, 0.5f}, heading);
        const SSkinPixels skin = DrawAlone(fish);
        const double size = m_scene.GetSize();
        ASSERT_GT(skin.count, 0);
        EXPECT_NEAR(skin.meanX / size, 0.5 + 0.5 * scale * heading.x, 1.5 / size);
        EXPECT_NEAR(skin.meanY / size, 0.4 + 0.5 * scale * heading.y, 1.5 / size);
    }
    fish.Place({0.5f, 0.4f, 0.5f}, {-1, 0, 0});
    EXPECT_EQ(DrawAlone(fish).count, 0);
    ASSERT_TRUE(CSmallFishActor::GetModel().Load("sfish.sca"));
}

// Drawing leaves both matrices as it found them, on a wide view too, where
// the fish widens the projection for itself.
TEST_F(ActorBaseTest, DrawKeepsMatrixStack)
{
    CFishActor fish;
    ASSERT_TRUE(fish.Init());
    fish.Update(0.05f, 16.0f / 9.0f);
    m_scene.BeginFrame();
    for (GLenum matrix : {GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX}) {
        float before[16], after[16];
        glGetFloatv(matrix, before);
        fish.Draw();
        glGetFloatv(matrix, after);
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(before[i], after[i]) << matrix;
    }
}

// On every shape of window a fish keeps its mesh's proportions and is as tall
// as its scale in window heights. The test body is a square 2 x 0.5 model
// units a side at 0.15 x (0.5 + 0.5): side on, 0.15 of the height both ways;
// turned to 45 degrees on screen (a heading of 1 / aspect across for 1 up in
// the box), its corners span 0.15 x sqrt(2) of the height both ways.
TEST(ActorBaseShape, FishKeepsItsProportionsOnEveryWindow)
{
    const struct
    {
        int width, height;
    } windows[] = {{320, 180}, {240, 180}, {384, 162}};
    for (const auto& window : windows) {
        CFishTestScene scene(window.width, window.height);
        ASSERT_TRUE(scene.IsReady());
        const float aspect = scene.GetAspect();
        CPlacedFish<CFishActor> fish;
        ASSERT_TRUE(fish.Init());
        fish.Update(0.0f, aspect);
        const struct
        {
            SVector3 direction;
            double span;  // window heights, across and up
        } headings[] = {{{1, 0, 0}, 0.15}, {{1 / aspect, 1, 0}, 0.15 * std::sqrt(2.0)}};
        for (const auto& heading : headings) {
            fish.Place({0.5f, 0.5f, 0.5f}, heading.direction);
            scene.BeginFrame();
            fish.Draw();
            const SSkinPixels skin = FindSkinPixels(scene.ReadPixels(), window.width, window.height);
            ASSERT_GT(skin.count, 0) << window.width << "x" << window.height;
            EXPECT_NEAR(skin.maxX - skin.minX + 1, heading.span * window.height, 2.0)
                << window.width << "x" << window.height << " span " << heading.span;
            EXPECT_NEAR(skin.maxY - skin.minY + 1, heading.span * window.height, 2.0)
                << window.width << "x" << window.height << " span " << heading.span;
        }
    }
}

// A fish faces its motion on screen. On 320 x 180 pixels a heading of (0.6,
// 0.8) in the box moves 192 pixels across for 144 up, so the fish points
// along (0.8, 0.6): a node 2 model units ahead is drawn 2 x 0.1 x 180 = 36
// pixels from the fish's place that way.
TEST(ActorBaseShape, HeadPointsAlongTheMotionOnScreen)
{
    CFishTestScene scene(320, 180);
    ASSERT_TRUE(scene.IsReady());
    scene.GetPack().Add("test/far-ahead.sca", ToBytes("NODE sfish\nTMATRIX 0 2 0\nSMATRIX 0.005 0.005 0.005\n"
                                                      "RMATRIX 1 0 0 0 1 0 0 0 1\nMODEL test/body.mod\nCHILDS 0\n"));
    ASSERT_TRUE(CSmallFishActor::GetModel().Load("test/far-ahead.sca"));
    CPlacedFish<CSmallFishActor> fish;
    ASSERT_TRUE(fish.Init());
    fish.Update(0.0f, scene.GetAspect());
    fish.Place({0.5f, 0.4f, 0.5f}, {0.6f, 0.8f, 0});
    scene.BeginFrame();
    fish.Draw();
    const SSkinPixels skin = FindSkinPixels(scene.ReadPixels(), 320, 180);
    ASSERT_GT(skin.count, 0);
    EXPECT_NEAR(skin.meanX, 160 + 36 * 0.8, 1.0);
    EXPECT_NEAR(skin.meanY, 72 + 36 * 0.6, 1.0);
    ASSERT_TRUE(CSmallFishActor::GetModel().Load("sfish.sca"));
}

// Only the fish that tries the load reports its failure; the next one does not retry.
TEST_F(ActorBaseTest, FailedModelLoadReportedOnce)
{
    m_scene.GetPack().Add("test/broken.sca", ToBytes("NODE x\nTMATRIX 0 0 0\nSMATRIX 1 1 1\n"
                                                     "RMATRIX 1 0 0 0 1 0 0 0 1\nMODEL test/body.mod\nCHILDS -1\n"));
    CModel model;
    const SFishKind kind = {"test/broken.sca", 0.1f, 0.2f, 0.1f};
    EXPECT_EQ(CLoadProbe::LoadModelOnce(model, kind), 0);
    EXPECT_EQ(CLoadProbe::LoadModelOnce(model, kind), 1);
    EXPECT_FALSE(model.Draw());
}
