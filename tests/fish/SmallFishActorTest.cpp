#include <gtest/gtest.h>

#include "app/Random.h"
#include "fish/SmallFishActor.h"
#include "tests/support/FishTestScene.h"

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
    fish.Update(0.05f, 1.0f);
    EXPECT_FLOAT_EQ(node->GetAxis(0).x, 1.0f);
    EXPECT_FLOAT_EQ(node->GetAxis(1).y, 1.0f);
}
