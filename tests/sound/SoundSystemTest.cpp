#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "assets/Pack.h"
#include "platform/AudioMixer.h"
#include "sound/SoundSystem.h"
#include "tests/support/ScratchPack.h"
#include "tests/support/WavBytes.h"

// The sound system on an offline mixer, with hand-made sounds in the pack.
namespace {

const uint32_t RATE = 22050;
const SVector3 ORIGIN = {0, 0, 0};

std::vector<int16_t> Ramp(int count)
{
    std::vector<int16_t> samples;
    for (int i = 0; i < count; ++i)
        samples.push_back(static_cast<int16_t>(i));
    return samples;
}

class SoundSystemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pack.Add("ramp.wav", MakeWav(1, RATE, 16, Pcm16(Ramp(RATE))));
        m_pack.Add("loud.wav", MakeWav(1, RATE, 16, Pcm16(std::vector<int16_t>(RATE, 16384))));
        m_pack.Add("short.wav", MakeWav(1, RATE, 16, Pcm16(std::vector<int16_t>(1000, 16384))));
        m_pack.Add("silent.wav", MakeWav(1, RATE, 8, std::vector<uint8_t>(RATE, 128)));
        m_pack.Add("other.wav", MakeWav(1, RATE, 16, Pcm16(std::vector<int16_t>(RATE, -1000))));
        auto mixer = std::make_unique<CAudioMixer>(RATE);
        m_mixer = mixer.get();
        ASSERT_TRUE(m_system.Attach(std::move(mixer)));
        // As the show places it: above the middle of the scene, looking down into it.
        m_system.SetListener({0.5f, 0.5f, 1.0f}, {0, 0, -1}, {0, 1, 0}, 20.0f, 20.0f);
    }

    int Play(const char* name, const void* owner, int32_t key, uint32_t flags, float volume,
             const SVector3& position = ORIGIN)
    {
        return m_system.Play(name, owner, key, flags, volume, 0.0f, 1.0f, position, ORIGIN);
    }

    // The next frames of output, left and right interleaved.
    std::vector<int16_t> Render(size_t frames)
    {
        std::vector<int16_t> out(2 * frames);
        m_mixer->Mix(out.data(), frames);
        return out;
    }

    int VoicesInUse() const
    {
        int count = 0;
        for (int i = 0; i < SOUND_VOICE_COUNT; ++i)
            count += m_system.GetVoice(i).sample ? 1 : 0;
        return count;
    }

    // Every voice busy looping the sound, voice i at volumes[i], owned by m_owners[i].
    void FillVoices(const std::vector<float>& volumes, const char* name = "loud.wav")
    {
        for (int i = 0; i < SOUND_VOICE_COUNT; ++i)
            ASSERT_EQ(1, Play(name, &m_owners[i], 0, SOUND_LOOP, volumes[i]));
    }

    CScratchPack m_pack;
    CSoundSystem m_system;
    CAudioMixer* m_mixer = nullptr;
    int m_owners[SOUND_VOICE_COUNT] = {};
};

}  // namespace

// A splash right of the listener: louder on the right by the pan's 8.51 dB,
// both channels lowered by the distance of 0.64 out of 20.
TEST_F(SoundSystemTest, PlacedSoundRightOfListenerIsLouderOnTheRight)
{
    ASSERT_EQ(1, Play("loud.wav", this, 0, SOUND_POSITIONED, 1.0f, {0.9f, 0.5f, 0.5f}));
    const std::vector<int16_t> out = Render(16);
    EXPECT_NEAR(5955, out[0], 20);
    EXPECT_NEAR(15864, out[1], 20);
}

// Half the maximum distance is half the gain; the master volume scales on
// top. At the maximum distance or beyond a sound is not started at all.
TEST_F(SoundSystemTest, PlacedSoundFadesWithDistanceAndStopsAtTheMaximum)
{
    ASSERT_EQ(1, Play("loud.wav", this, 0, SOUND_POSITIONED | SOUND_CENTRED, 1.0f, {0.5f, 0.5f, -9.0f}));
    std::vector<int16_t> out = Render(4);
    EXPECT_NEAR(8192, out[0], 3);
    EXPECT_NEAR(8192, out[1], 3);
    m_system.SetMasterVolume(0.5f);
    out = Render(4);
    EXPECT_NEAR(4096, out[0], 3);

    int far = 0;
    EXPECT_EQ(1, Play("ramp.wav", &far, 0, SOUND_POSITIONED, 1.0f, {0.5f, 0.5f, -19.0f}));
    EXPECT_EQ(1, Play("ramp.wav", &far, 0, SOUND_POSITIONED, 1.0f, {0.5f, 30.0f, 1.0f}));
    EXPECT_EQ(1, VoicesInUse());
}

// A centred source 10 away, moving away at 2 a second against a Doppler
// speed of 20, plays at 0.9 of its rate: 1000 frames last about 1111.
TEST_F(SoundSystemTest, SourceMovingAwayPlaysLower)
{
    ASSERT_EQ(1, m_system.Play("short.wav", this, 0, SOUND_POSITIONED | SOUND_CENTRED, 1.0f, 0.0f, 1.0f,
                               {0.5f, 0.5f, -9.0f}, {0.0f, 0.0f, -2.0f}));
    const std::vector<int16_t> out = Render(1500);
    int sounding = 0;
    for (size_t i = 0; i < out.size(); i += 2)
        sounding += out[i] != 0;
    EXPECT_NEAR(1111, sounding, 2);
}

// The same owner and key with the same sound still playing re-targets the
// voice in place; another sound restarts it with that sound.
TEST_F(SoundSystemTest, SameRequesterRetargetsAndRestartsOnlyForAnotherSound)
{
    ASSERT_EQ(1, Play("ramp.wav", this, 0, 0, 1.0f));
    Render(1000);
    ASSERT_EQ(1, Play("ramp.wav", this, 0, 0, 0.5f));
    EXPECT_NEAR(500, Render(1)[0], 1);  // frame 1000 at half gain, not frame 0
    EXPECT_EQ(1, VoicesInUse());

    ASSERT_EQ(1, Play("other.wav", this, 0, 0, 0.5f));
    EXPECT_NEAR(-500, Render(1)[0], 1);
    EXPECT_EQ(1, VoicesInUse());
}

// One fish's sounds under two keys play at once, each on a voice of its own.
TEST_F(SoundSystemTest, TwoKeysOfOneOwnerPlayOnTwoVoices)
{
    ASSERT_EQ(1, Play("loud.wav", this, 0, SOUND_LOOP, 0.5f));
    ASSERT_EQ(1, Play("other.wav", this, 1, SOUND_LOOP, 1.0f));
    EXPECT_EQ(2, VoicesInUse());
    EXPECT_NEAR(8192 - 1000, Render(1)[0], 2);
}

// A voice taken from another requester starts the new sound at its
// beginning, even when it is the sound the voice was playing.
TEST_F(SoundSystemTest, TakenOverVoiceStartsTheNewSoundAtItsBeginning)
{
    std::vector<float> volumes(SOUND_VOICE_COUNT, 0.9f);
    FillVoices(volumes, "silent.wav");
    ASSERT_EQ(1, Play("ramp.wav", &m_owners[3], 0, SOUND_LOOP, 0.1f));
    Render(500);
    int newcomer = 0;
    ASSERT_EQ(1, Play("ramp.wav", &newcomer, 0, 0, 1.0f));
    EXPECT_EQ(&newcomer, m_system.GetVoice(3).owner);
    const std::vector<int16_t> out = Render(2);
    EXPECT_EQ(0, out[0]);
    EXPECT_EQ(1, out[2]);
}

// The kept voice (key -1) is never taken, however quiet; a new sound no
// louder than any other busy voice is dropped.
TEST_F(SoundSystemTest, KeptVoiceIsNeverTakenOver)
{
    int ambient = 0, newcomer = 0;
    ASSERT_EQ(1, Play("loud.wav", &ambient, SOUND_KEY_KEEP, SOUND_LOOP, 0.01f));
    for (int i = 1; i < SOUND_VOICE_COUNT; ++i)
        ASSERT_EQ(1, Play("loud.wav", &m_owners[i], 0, SOUND_LOOP, 0.5f));
    EXPECT_EQ(0, Play("other.wav", &newcomer, 0, 0, 0.5f));
    EXPECT_EQ(&ambient, m_system.GetVoice(0).owner);
    EXPECT_TRUE(m_system.GetVoice(0).sample->IsPlaying());

    EXPECT_EQ(1, Play("other.wav", &newcomer, 0, 0, 0.6f));
    EXPECT_EQ(&ambient, m_system.GetVoice(0).owner);
    EXPECT_EQ(&newcomer, m_system.GetVoice(1).owner);
}

// Among busy voices the quietest is taken, the earlier of two equally quiet
// ones first; an idle voice is taken before any busy one.
TEST_F(SoundSystemTest, ChoosesIdleThenQuietestThenEarlier)
{
    std::vector<float> volumes(SOUND_VOICE_COUNT, 0.9f);
    volumes[5] = volumes[9] = 0.3f;
    FillVoices(volumes);
    int first = 0, second = 0, third = 0, fourth = 0;
    ASSERT_EQ(1, Play("other.wav", &first, 0, SOUND_LOOP, 0.5f));
    EXPECT_EQ(&first, m_system.GetVoice(5).owner);
    ASSERT_EQ(1, Play("other.wav", &second, 0, SOUND_LOOP, 0.5f));
    EXPECT_EQ(&second, m_system.GetVoice(9).owner);
    EXPECT_EQ(0, Play("other.wav", &third, 0, SOUND_LOOP, 0.5f));

    m_system.GetVoice(20).sample->Stop();
    ASSERT_EQ(1, Play("other.wav", &fourth, 0, 0, 0.1f));
    EXPECT_EQ(&fourth, m_system.GetVoice(20).owner);
}

// A sound once loaded stays cached: it still plays after its pack entry is
// gone, while a sound never loaded does not.
TEST_F(SoundSystemTest, LoadedSoundStaysCached)
{
    int a = 0, b = 0;
    ASSERT_EQ(1, Play("ramp.wav", &a, 0, 0, 1.0f));
    GetPack().Clear();
    EXPECT_EQ(1, Play("RAMP.WAV", &b, 0, 0, 1.0f));
    EXPECT_EQ(0, Play("other.wav", &b, 1, 0, 1.0f));
}

// A sound that cannot load stops what the voice played before.
TEST_F(SoundSystemTest, FailedLoadStopsThePreviousSound)
{
    ASSERT_EQ(1, Play("loud.wav", this, 0, SOUND_LOOP, 1.0f));
    EXPECT_EQ(0, Play("missing.wav", this, 0, SOUND_LOOP, 1.0f));
    for (int16_t sample : Render(64))
        ASSERT_EQ(0, sample);
}

// A splash cut off by a rest belongs to a moment gone by: after the resume
// only the ambient loop plays on.
TEST_F(SoundSystemTest, ResumeBringsBackTheLoopButNoStaleSplash)
{
    int ambient = 0, splash = 0;
    ASSERT_EQ(1, Play("loud.wav", &ambient, SOUND_KEY_KEEP, SOUND_LOOP, 0.5f));
    ASSERT_EQ(1, Play("other.wav", &splash, 0, 0, 1.0f));
    Render(100);
    ASSERT_EQ(1, m_system.Rest());
    Render(1000);
    ASSERT_EQ(1, m_system.Resume());
    Render(1000);
    EXPECT_NEAR(8192, Render(1)[0], 2);  // the loop alone, past the fade-in
}
