// The fixed-size bubble store: capacity, removal by moving the last bubble,
// rising, drifting and leaving at the top.
#include <gtest/gtest.h>

#include "app/Random.h"
#include "render/BubbleSystem.h"

namespace {
void AddAt(CBubbleSystem& store, float x, float y, float size)
{
    store.Add(SVector3{x, y, 0.5f}, size);
}
}  // namespace

// The 1025th bubble is dropped and the first 1024 stay as they were.
TEST(CBubbleSystem, FullStoreDropsNewBubble)
{
    CBubbleSystem store;
    for (uint32_t i = 0; i < 1024; ++i)
        AddAt(store, static_cast<float>(i), 0.0f, 0.01f);
    AddAt(store, -1.0f, -1.0f, 0.5f);
    ASSERT_EQ(store.GetCount(), 1024u);
    EXPECT_EQ(store.GetBubble(1023).x, 1023.0f);
    EXPECT_EQ(store.GetBubble(1023).size, 0.01f);
}

// Removing a slot moves the last bubble into it; other slots keep theirs.
TEST(CBubbleSystem, RemoveMovesLastBubbleIntoGap)
{
    CBubbleSystem store;
    AddAt(store, 0.1f, 0.0f, 0.01f);
    AddAt(store, 0.2f, 0.0f, 0.01f);
    AddAt(store, 0.3f, 0.0f, 0.01f);
    store.Remove(0);
    ASSERT_EQ(store.GetCount(), 2u);
    EXPECT_EQ(store.GetBubble(0).x, 0.3f);
    EXPECT_EQ(store.GetBubble(1).x, 0.2f);
}

// A slot beyond the live bubbles is ignored rather than corrupting the store.
TEST(CBubbleSystem, RemoveOutsideLiveSlotsDoesNothing)
{
    CBubbleSystem store;
    AddAt(store, 0.1f, 0.0f, 0.01f);
    store.Remove(1);
    store.Remove(5000);
    ASSERT_EQ(store.GetCount(), 1u);
    EXPECT_EQ(store.GetBubble(0).x, 0.1f);
}

// Size 0.01 at y = 1.0 rises 0.01 x 20 x 0.1 = 0.02 to 1.02 > 1.01 and leaves;
// the last bubble takes its slot and is not moved until the next frame.
TEST(CBubbleSystem, BubbleLeavingTopIsReplacedByLastUnmoved)
{
    SeedRandom(1);
    CBubbleSystem store;
    AddAt(store, 0.5f, 1.0f, 0.01f);
    AddAt(store, 0.3f, 0.2f, 0.005f);
    store.Update(0.1);
    ASSERT_EQ(store.GetCount(), 1u);
    EXPECT_EQ(store.GetBubble(0).x, 0.3f);
    EXPECT_EQ(store.GetBubble(0).y, 0.2f);

    // Next frame it rises by 0.005 x 20 x 0.1 = 0.01.
    store.Update(0.1);
    EXPECT_NEAR(store.GetBubble(0).y, 0.21f, 1e-6);
}

// A bubble rises 20 x size per second and drifts within +-0.1 of the rise
// around its slot's slope: slot 0 leans right (+0.05), slot 9 left (-0.04).
TEST(CBubbleSystem, RiseAndDriftFollowSizeAndSlot)
{
    SeedRandom(42);
    CBubbleSystem store;
    for (int i = 0; i < 10; ++i)
        AddAt(store, 0.5f, 0.5f, 0.01f);
    store.Update(0.1);
    ASSERT_EQ(store.GetCount(), 10u);
    const float rise = 0.02f;
    EXPECT_NEAR(store.GetBubble(0).y, 0.52f, 1e-6);
    EXPECT_GE(store.GetBubble(0).x, 0.5f + rise * (0.05f - 0.1f) - 1e-6f);
    EXPECT_LE(store.GetBubble(0).x, 0.5f + rise * (0.05f + 0.1f) + 1e-6f);
    EXPECT_GE(store.GetBubble(9).x, 0.5f + rise * (-0.04f - 0.1f) - 1e-6f);
    EXPECT_LE(store.GetBubble(9).x, 0.5f + rise * (-0.04f + 0.1f) + 1e-6f);
    EXPECT_EQ(store.GetBubble(9).z, 0.5f);
}

// Over many frames the slot's slope shows: slot 0 ends right of slot 9.
TEST(CBubbleSystem, SlotSlopeSeparatesDriftOverTime)
{
    SeedRandom(3);
    CBubbleSystem store;
    for (int i = 0; i < 10; ++i)
        AddAt(store, 0.5f, 0.0f, 0.002f);
    for (int frame = 0; frame < 200; ++frame)
        store.Update(0.1);
    ASSERT_EQ(store.GetCount(), 10u);
    // Mean drift 0.05 x 0.8 = 0.04 right for slot 0 and 0.04 x 0.8 = 0.032 left for slot 9.
    EXPECT_NEAR(store.GetBubble(0).x, 0.54f, 0.01f);
    EXPECT_NEAR(store.GetBubble(9).x, 0.468f, 0.01f);
}

// A zero step moves nothing but still draws one random number per bubble,
// so a seeded scene stays in step.
TEST(CBubbleSystem, ZeroStepMovesNothingButDrawsOneNumberEach)
{
    SeedRandom(9);
    Random();
    Random();
    const int third = Random();

    SeedRandom(9);
    CBubbleSystem store;
    AddAt(store, 0.4f, 0.3f, 0.01f);
    AddAt(store, 0.6f, 0.7f, 0.005f);
    store.Update(0.0);
    EXPECT_EQ(store.GetBubble(0).x, 0.4f);
    EXPECT_EQ(store.GetBubble(0).y, 0.3f);
    EXPECT_EQ(store.GetBubble(1).x, 0.6f);
    EXPECT_EQ(store.GetBubble(1).y, 0.7f);
    EXPECT_EQ(Random(), third);
}
