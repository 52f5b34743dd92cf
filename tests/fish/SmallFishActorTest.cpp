#include <gtest/gtest.h>

#include "app/Random.h"
#include "fish/SmallFishActor.h"
#include "tests/support/FishTestScene.h"

namespace {

class CProbeSmallFish : public CSmallFishActor
{
public:
    using CSmallFishActor::m_path;
};

}  // namespace

// The tiny fish keeps its single node at rest, whatever turned it before.
TEST(CSmallFishActor, UpdateResetsNode)
{
    CFishTestScene scene(64);
    ASSERT_TRUE(scene.IsReady());
    SeedRandom(8);
    CSmallFishActor fish;
    ASSERT_TRUE(fish.Init());
    CMesh* node = CSmallFishActor::GetModel().FindNode("sfish");
    ASSERT_NE(node, nullptr);
    node->Rotate(2, 1.0f);
    fish.Update(0.05f);
    EXPECT_FLOAT_EQ(node->GetAxis(0).x, 1.0f);
    EXPECT_FLOAT_EQ(node->GetAxis(1).y, 1.0f);
}

// Tiny fish swim 0.2 to 0.3 segments per second, twice as fast as the others.
TEST(CSmallFishActor, SwimsAtItsOwnSpeed)
{
    CFishTestScene scene(64);
    ASSERT_TRUE(scene.IsReady());
    SeedRandom(8);
    for (int i = 0; i < 50; ++i)
    {
        CProbeSmallFish fish;
        ASSERT_TRUE(fish.Init());
        fish.Update(1.0f);
        EXPECT_GE(fish.m_path->GetParameter(), 0.2f);
        EXPECT_LE(fish.m_path->GetParameter(), 0.3f);
    }
}
