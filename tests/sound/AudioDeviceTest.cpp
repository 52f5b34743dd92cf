#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/AudioDevice.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/WavBytes.h"

// The SDL device on SDL's dummy driver: a real audio thread mixes while the
// main thread changes the buffers (run under ThreadSanitizer to check it).
namespace {

const uint32_t RATE = 22050;

}  // namespace

// A buffer played once reaches its end on the audio thread while the main
// thread keeps changing it and a looping duplicate plays on.
TEST(SysAudioDevice, MixesOnItsOwnThreadWhileTheMainThreadChangesBuffers)
{
    CScopedEnv driver("SDL_AUDIODRIVER", "dummy");
    std::unique_ptr<CAudioDeviceI> device = SysCreateAudioDevice(0);
    ASSERT_TRUE(device);
    std::unique_ptr<CAudioBufferI> once = device->CreateBuffer(SAudioFormat{1, RATE, 16}, RATE / 5 * 2);
    ASSERT_TRUE(once);
    ASSERT_TRUE(FillBuffer(*once, Pcm16(std::vector<int16_t>(RATE / 5, 1000))));
    std::unique_ptr<CAudioBufferI> loop = once->Duplicate();
    ASSERT_TRUE(loop);
    ASSERT_TRUE(loop->Play(true));
    ASSERT_TRUE(once->Play(false));

    // 0.2 s of sound; the wait is only a bound for a device that never mixes.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    int changes = 0;
    while (once->IsPlaying() && std::chrono::steady_clock::now() < deadline) {
        once->SetVolume(-(changes % 100));
        once->SetPan(changes % 200 - 100);
        loop->SetFrequency(RATE + changes % 1000);
        ++changes;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_FALSE(once->IsPlaying());
    EXPECT_TRUE(loop->IsPlaying());

    // Buffers may outlive their device.
    device.reset();
    EXPECT_TRUE(loop->Stop());
}

// With no usable audio driver there is no device, and no failure.
TEST(SysAudioDevice, NoDriverGivesNoDevice)
{
    CScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
    EXPECT_FALSE(SysCreateAudioDevice(0));
}
