// The DirectSound device. Under Wine it needs a sound device: scripts/
// test-windows.sh gives ALSA a null one ($HOME/.asoundrc), which takes the
// mixed sound at the real rate and drops it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "assets/Pack.h"
#include "platform/AudioDevice.h"
#include "sound/SoundSystem.h"
#include "tests/support/WavBytes.h"

namespace {

const uint32_t RATE = 22050;

std::vector<int16_t> Ramp(int count)
{
    std::vector<int16_t> samples;
    for (int i = 0; i < count; ++i)
        samples.push_back(static_cast<int16_t>(i * 7));
    return samples;
}

std::unique_ptr<CAudioDeviceI> OpenDevice()
{
    std::unique_ptr<CAudioDeviceI> device = SysCreateAudioDevice(0);
    EXPECT_TRUE(device) << "no sound device: is ALSA's null device in $HOME/.asoundrc?";
    return device;
}

// Waits while the buffer plays; the bound only ends a wait on a device that never plays.
void WaitForEnd(const CAudioBufferI& buffer)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (buffer.IsPlaying() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

}  // namespace

// A buffer played once reports playing, then stops at its end, while a
// looping duplicate of it plays on at a rate of its own.
TEST(DirectSoundDevice, OncePlayedBufferEndsWhileItsLoopingDuplicatePlaysOn)
{
    std::unique_ptr<CAudioDeviceI> device = OpenDevice();
    ASSERT_TRUE(device);
    std::unique_ptr<CAudioBufferI> once = device->CreateBuffer(SAudioFormat{1, RATE, 16}, RATE / 10 * 2);
    ASSERT_TRUE(once);
    EXPECT_EQ(RATE, once->GetFrequency());
    ASSERT_TRUE(FillBuffer(*once, Pcm16(std::vector<int16_t>(RATE / 10, 1000))));
    std::unique_ptr<CAudioBufferI> loop = once->Duplicate();
    ASSERT_TRUE(loop);
    ASSERT_TRUE(loop->SetFrequency(RATE * 2));
    EXPECT_EQ(RATE * 2, loop->GetFrequency());
    EXPECT_EQ(RATE, once->GetFrequency());

    ASSERT_TRUE(loop->Play(true));
    ASSERT_TRUE(once->Play(false));
    EXPECT_TRUE(once->IsPlaying());
    WaitForEnd(*once);
    EXPECT_FALSE(once->IsPlaying());
    EXPECT_TRUE(loop->IsPlaying());
    EXPECT_TRUE(loop->Stop());
    EXPECT_FALSE(loop->IsPlaying());
}

// Buffers may outlive their device: they stop with it and stay silent.
TEST(DirectSoundDevice, BuffersOfAClosedDeviceStaySilent)
{
    std::unique_ptr<CAudioDeviceI> device = OpenDevice();
    ASSERT_TRUE(device);
    std::unique_ptr<CAudioBufferI> buffer = device->CreateBuffer(SAudioFormat{2, RATE, 16}, RATE * 4);
    ASSERT_TRUE(buffer);
    ASSERT_TRUE(buffer->Play(true));
    device.reset();
    EXPECT_FALSE(buffer->IsPlaying());
    EXPECT_FALSE(buffer->Play(true));
    EXPECT_FALSE(buffer->IsPlaying());
    EXPECT_FALSE(buffer->Duplicate());
}

// A new buffer holds silence, whatever the driver left in its memory:
// 128 for unsigned 8-bit data.
TEST(DirectSoundDevice, NewEightBitBufferHoldsSilence)
{
    std::unique_ptr<CAudioDeviceI> device = OpenDevice();
    ASSERT_TRUE(device);
    const uint32_t bytes = 4000;
    std::unique_ptr<CAudioBufferI> buffer = device->CreateBuffer(SAudioFormat{1, 8000, 8}, bytes);
    ASSERT_TRUE(buffer);
    void *first = nullptr, *second = nullptr;
    uint32_t firstBytes = 0, secondBytes = 0;
    ASSERT_TRUE(buffer->Lock(0, bytes, &first, &firstBytes, &second, &secondBytes));
    ASSERT_EQ(bytes, firstBytes);
    const std::vector<uint8_t> expected(bytes, 128);
    EXPECT_EQ(0, std::memcmp(expected.data(), first, bytes));
    EXPECT_TRUE(buffer->Unlock(first, firstBytes, second, secondBytes));
}

// Formats and values outside what the interface promises are refused here,
// not left to the driver to clamp.
TEST(DirectSoundDevice, RefusesFormatsAndValuesOutsideTheRanges)
{
    std::unique_ptr<CAudioDeviceI> device = OpenDevice();
    ASSERT_TRUE(device);
    EXPECT_FALSE(device->CreateBuffer(SAudioFormat{3, RATE, 16}, 600));
    EXPECT_FALSE(device->CreateBuffer(SAudioFormat{1, RATE, 24}, 600));
    EXPECT_FALSE(device->CreateBuffer(SAudioFormat{2, RATE, 16}, 602));  // not whole frames
    std::unique_ptr<CAudioBufferI> buffer = device->CreateBuffer(SAudioFormat{2, RATE, 16}, 600);
    ASSERT_TRUE(buffer);
    EXPECT_TRUE(buffer->SetVolume(AUDIO_VOLUME_SILENT));
    EXPECT_FALSE(buffer->SetVolume(AUDIO_VOLUME_FULL + 1));
    EXPECT_FALSE(buffer->SetVolume(AUDIO_VOLUME_SILENT - 1));
    EXPECT_TRUE(buffer->SetPan(AUDIO_PAN_LEFT));
    EXPECT_FALSE(buffer->SetPan(AUDIO_PAN_RIGHT + 1));
    EXPECT_TRUE(buffer->SetFrequency(AUDIO_FREQUENCY_MIN));
    EXPECT_FALSE(buffer->SetFrequency(AUDIO_FREQUENCY_MAX + 1));
    EXPECT_EQ(AUDIO_FREQUENCY_MIN, buffer->GetFrequency());
}

// The show's own sounds, from the pack in the resources (8-bit at 8100 and
// 11025 Hz, 16-bit at 22050 Hz), each play on a voice of their own.
TEST(DirectSoundDevice, TheShowsOwnSoundsPlay)
{
    ASSERT_EQ(1, LoadResourcePack(PACK_RESOURCE_ID));
    CSoundSystem system;
    ASSERT_EQ(1, system.Init(0)) << "no sound device: is ALSA's null device in $HOME/.asoundrc?";
    const char* const names[] = {"sound/main.wav", "sound/splash0.wav", "sound/splash1.wav", "sound/splash2.wav"};
    const SVector3 still = {0, 0, 0};
    int owners[4] = {};
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(1, system.Play(names[i], &owners[i], 0, SOUND_LOOP, 1.0f, 0.0f, 1.0f, still, still)) << names[i];
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(system.GetVoice(i).sample) << names[i];
        EXPECT_TRUE(system.GetVoice(i).sample->IsPlaying()) << names[i];
    }
    GetPack().Clear();
}

// A rest lets DirectSound go, buffers and all; the resume makes them anew
// with their own data, plays on those that played, a loop as a loop (it
// still plays after several times its length), and leaves a buffer that was
// already stopped alone.
TEST(DirectSoundDevice, RestStopsBuffersAndResumePlaysThemOn)
{
    std::unique_ptr<CAudioDeviceI> device = OpenDevice();
    ASSERT_TRUE(device);
    const SAudioFormat format = {1, RATE, 16};
    const std::vector<uint8_t> data = Pcm16(Ramp(RATE / 10));
    std::unique_ptr<CAudioBufferI> loop = device->CreateBuffer(format, static_cast<uint32_t>(data.size()));
    std::unique_ptr<CAudioBufferI> stopped = device->CreateBuffer(format, static_cast<uint32_t>(data.size()));
    ASSERT_TRUE(loop && stopped);
    ASSERT_TRUE(FillBuffer(*loop, data));
    ASSERT_TRUE(loop->Play(true));
    device->Rest();
    EXPECT_FALSE(loop->IsPlaying());
    ASSERT_TRUE(device->Resume());
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(loop->IsPlaying());
    EXPECT_FALSE(stopped->IsPlaying());
    void *first = nullptr, *second = nullptr;
    uint32_t firstBytes = 0, secondBytes = 0;
    ASSERT_TRUE(loop->Lock(0, static_cast<uint32_t>(data.size()), &first, &firstBytes, &second, &secondBytes));
    ASSERT_EQ(data.size(), firstBytes);
    EXPECT_EQ(0, std::memcmp(data.data(), first, firstBytes));
    loop->Unlock(first, firstBytes, second, secondBytes);
}
