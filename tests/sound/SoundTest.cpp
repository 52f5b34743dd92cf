#include <gtest/gtest.h>

#include <memory>

#include "platform/AudioMixer.h"
#include "sound/Sound.h"
#include "sound/SoundSystem.h"
#include "tests/support/ScratchPack.h"
#include "tests/support/WavBytes.h"

// The free functions do nothing while no system exists, and shutting the
// system down forgets it.
TEST(PlaySample, DoesNothingWithoutASystemAndAfterShutdown)
{
    CScratchPack pack;
    pack.Add("tone.wav", MakeWav(1, 22050, 8, std::vector<uint8_t>(100, 200)));
    const SVector3 origin = {0, 0, 0};
    ShutdownSoundSystem();
    EXPECT_EQ(0, PlaySample("tone.wav", &pack, 0, 0, 1.0f, 0.0f, 1.0f, origin, origin));
    EXPECT_EQ(0, UpdateSounds());
    EXPECT_EQ(0, SetSoundMasterVolume(1.0f));

    ASSERT_EQ(1, StartSoundSystem(std::make_unique<CAudioMixer>(22050)));
    EXPECT_EQ(1, PlaySample("tone.wav", &pack, 0, 0, 1.0f, 0.0f, 1.0f, origin, origin));
    EXPECT_EQ(1, UpdateSounds());

    EXPECT_EQ(1, ShutdownSoundSystem());
    EXPECT_EQ(nullptr, FindSoundSystem());
    EXPECT_EQ(0, PlaySample("tone.wav", &pack, 0, 0, 1.0f, 0.0f, 1.0f, origin, origin));
}
