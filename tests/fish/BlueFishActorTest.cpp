#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/Random.h"
#include "fish/BlueFishActor.h"
#include "platform/AudioMixer.h"
#include "render/BubbleSystem.h"
#include "sound/Sound.h"
#include "sound/SoundSystem.h"
#include "tests/support/FishTestScene.h"
#include "tests/support/WavBytes.h"

namespace {

class CProbeBlueFish : public CBlueFishActor
{
public:
    using CBlueFishActor::m_breathClock;
    using CBlueFishActor::m_direction;
    using CBlueFishActor::m_position;
};

void EmptyBubbleStore()
{
    while (GetBubbleSystem().GetCount() > 0)
        GetBubbleSystem().Remove(0);
}

// Breath checks made over a run of frames of these lengths.
uint32_t ChecksOver(const std::vector<float>& frames)
{
    CProbeBlueFish fish;
    EXPECT_TRUE(fish.Init());
    uint32_t checks = 0;
    for (float dt : frames) {
        fish.Update(dt, 1.0f);
        checks += fish.m_breathClock.due;
    }
    return checks;
}

class BlueFishActorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_scene.IsReady());
        SeedRandom(5);
        EmptyBubbleStore();
    }
    void TearDown() override { EmptyBubbleStore(); }

    CFishTestScene m_scene{64};
};

}  // namespace

// One check per 0.5 s of accumulated time, however the 6.2 s are cut into frames.
TEST_F(BlueFishActorTest, ChecksIndependentOfFrameSplit)
{
    EXPECT_EQ(ChecksOver(std::vector<float>(62, 0.1f)), 12u);
    EXPECT_EQ(ChecksOver(std::vector<float>(620, 0.01f)), 12u);
    std::vector<float> uneven;
    for (int i = 0; i < 31; ++i) {
        uneven.push_back(0.013f);
        uneven.push_back(0.187f);
    }
    EXPECT_EQ(ChecksOver(uneven), 12u);
    EXPECT_EQ(ChecksOver({6.2f}), 12u);
    EXPECT_EQ(ChecksOver({0.49f}), 0u);
}

// With dt = 0 no check is made and no bubble appears.
TEST_F(BlueFishActorTest, ZeroStepBreathesNothing)
{
    CProbeBlueFish fish;
    ASSERT_TRUE(fish.Init());
    fish.Update(0.3f, 1.0f);
    for (int frame = 0; frame < 100; ++frame) {
        fish.Update(0.0f, 1.0f);
        EXPECT_EQ(fish.m_breathClock.due, 0u);
    }
    EXPECT_EQ(GetBubbleSystem().GetCount(), 0u);
}

// Puffs are three bubbles each, where the head is drawn and 0.01 up, sized
// 0.01 to 0.03 of the scale; about one check in ten puffs. On a view twice as
// wide as high the head is half the drawn scale ahead along the heading on
// screen, counted in window heights: a unit-box step across is two of them.
TEST_F(BlueFishActorTest, PuffsThreeBubblesAtTheMouth)
{
    const float aspect = 2.0f;
    CProbeBlueFish fish;
    ASSERT_TRUE(fish.Init());
    fish.Update(0.0f, aspect);
    fish.Update(150.0f, aspect);
    ASSERT_EQ(fish.m_breathClock.due, 300u);
    const uint32_t count = GetBubbleSystem().GetCount();
    EXPECT_EQ(count % 3, 0u);
    EXPECT_GT(count, 3u * 10);
    EXPECT_LT(count, 3u * 60);

    const SVector3 p = fish.m_position;
    SVector3 d = {fish.m_direction.x * aspect, fish.m_direction.y, fish.m_direction.z};
    VecNormalize(d);
    const float scale = 0.18f * (p.z + 0.5f);
    for (uint32_t slot = 0; slot < count; ++slot) {
        const SBubble& bubble = GetBubbleSystem().GetBubble(slot);
        const SVector3 offset = {(bubble.x - p.x) * aspect, bubble.y - 0.01f - p.y, bubble.z - p.z};
        EXPECT_NEAR(offset.x * d.x + offset.y * d.y + offset.z * d.z, 0.5f * scale, 1e-5f);
        EXPECT_NEAR(std::sqrt(offset.x * offset.x + offset.y * offset.y + offset.z * offset.z), 0.5f * scale, 1e-5f);
        EXPECT_GE(bubble.size, 0.01f * scale * 0.9999f);
        EXPECT_LE(bubble.size, 0.03f * scale * 1.0001f);
    }
}

// Over many breaths a fish splashes with all three sounds, on its own voice
// (key 0), placed in the scene and played once at a tenth of full gain, at
// pitches spread over [0.5, 1.5].
TEST_F(BlueFishActorTest, SplashesWithAllThreeSoundsAtSpreadPitches)
{
    for (const char* name : {"sound/splash0.wav", "sound/splash1.wav", "sound/splash2.wav"})
        m_scene.GetPack().Add(name, MakeWav(1, 22050, 8, std::vector<uint8_t>(2000, 200)));
    ASSERT_EQ(1, StartSoundSystem(std::make_unique<CAudioMixer>(22050)));
    CProbeBlueFish fish;
    ASSERT_TRUE(fish.Init());
    std::set<std::string> names;
    float lowest = 2.0f, highest = 0.0f;
    for (int breath = 0; breath < 600; ++breath) {
        fish.Update(CBlueFishActor::BREATH_INTERVAL, 1.0f);
        const SSoundVoice& voice = FindSoundSystem()->GetVoice(0);
        if (!voice.sample)
            continue;
        ASSERT_EQ(&fish, voice.owner);
        EXPECT_EQ(0, voice.key);
        EXPECT_EQ(SOUND_POSITIONED, voice.flags);
        EXPECT_FLOAT_EQ(0.1f, voice.volume);
        names.insert(voice.sample->GetName());
        lowest = std::min(lowest, voice.pitch);
        highest = std::max(highest, voice.pitch);
    }
    ShutdownSoundSystem();
    EXPECT_EQ((std::set<std::string>{"sound/splash0.wav", "sound/splash1.wav", "sound/splash2.wav"}), names);
    EXPECT_GE(lowest, 0.5f);
    EXPECT_LT(lowest, 0.6f);
    EXPECT_LE(highest, 1.5f);
    EXPECT_GT(highest, 1.4f);
}

// Moving a fish ninety days on lets the breaths of those days go: no puff at
// once, and the next half second makes one check, not millions.
TEST_F(BlueFishActorTest, SkipAheadLeavesNoBackloggedBreaths)
{
    CProbeBlueFish fish;
    ASSERT_TRUE(fish.Init());
    fish.SkipAhead(90 * 86400.0);
    EXPECT_EQ(GetBubbleSystem().GetCount(), 0u);
    fish.Update(0.5f, 1.0f);
    EXPECT_EQ(fish.m_breathClock.due, 1u);
    EXPECT_LE(GetBubbleSystem().GetCount(), 3u);
}
