// The renderer's bubble stream: groups of five from near the bottom right.
#include <gtest/gtest.h>

#include "app/Random.h"
#include "render/Bubbles.h"

namespace
{
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
}

// A 0.1 s frame (the renderer's limit) at 0.05 s intervals emits two groups:
// ten bubbles at the bottom, mid-depth, around x = 0.8, sized 0.002 to 0.01.
TEST_F(CBubbleEmissionTest, FullFrameEmitsTwoGroups)
{
    EmitBubbles(m_emission, 0.1);
    const CBubbleSystem& store = GetBubbleSystem();
    ASSERT_EQ(store.GetCount(), 10u);
    for (uint32_t i = 0; i < store.GetCount(); ++i)
    {
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
