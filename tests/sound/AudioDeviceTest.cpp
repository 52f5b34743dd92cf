#include <gtest/gtest.h>

#include <SDL.h>
#include <chrono>
#include <cmath>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

#include "platform/AudioDevice.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/WavBytes.h"

// The SDL device on SDL's dummy and disk drivers: a real audio thread mixes
// while the main thread changes the buffers (run under ThreadSanitizer to
// check it).
namespace {

const uint32_t RATE = 22050;

// The rate the device below offers whatever it is asked for; 0: it takes the rate asked for.
int g_offeredRate = 0;

}  // namespace

// Stands in for SDL's own: a device that plays only g_offeredRate, as much
// hardware does, so SDL obtains another rate than the one asked for.
extern "C" SDL_AudioDeviceID SDL_OpenAudioDevice(const char* device, int capture, const SDL_AudioSpec* wanted,
                                                 SDL_AudioSpec* obtained, int allowedChanges)
{
    typedef SDL_AudioDeviceID (*OpenFunction)(const char*, int, const SDL_AudioSpec*, SDL_AudioSpec*, int);
    static const auto open = reinterpret_cast<OpenFunction>(dlsym(RTLD_NEXT, "SDL_OpenAudioDevice"));
    SDL_AudioSpec offered = *wanted;
    if (g_offeredRate != 0)
        offered.freq = g_offeredRate;
    return open(device, capture, &offered, obtained, allowedChanges);
}

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

// On a device that plays only 48 kHz, a sound keeps its pitch: a 441 Hz tone
// of 44.1 kHz data gives 441 cycles in a second of output, not the 480 of a
// mixer that still mixes for the 44.1 kHz it asked for.
TEST(SysAudioDevice, MixesAtTheRateTheDeviceObtained)
{
    const uint32_t DATA_RATE = 44100, OUTPUT_RATE = 48000, PERIOD = 100;
    const std::filesystem::path output =
        std::filesystem::temp_directory_path() / ("coralux-audio-" + std::to_string(getpid()) + ".raw");
    CScopedEnv driver("SDL_AUDIODRIVER", "disk");
    CScopedEnv file("SDL_DISKAUDIOFILE", output.string());
    CScopedEnv pace("SDL_DISKAUDIODELAY", "1");  // ms per block: faster than real time
    g_offeredRate = OUTPUT_RATE;
    std::unique_ptr<CAudioDeviceI> device = SysCreateAudioDevice(0);
    g_offeredRate = 0;
    ASSERT_TRUE(device);
    std::vector<int16_t> tone;
    for (uint32_t i = 0; i < 44 * PERIOD; ++i)
        tone.push_back(static_cast<int16_t>(std::lround(16000 * std::sin(2 * M_PI * i / PERIOD))));
    std::unique_ptr<CAudioBufferI> buffer =
        device->CreateBuffer(SAudioFormat{1, DATA_RATE, 16}, static_cast<uint32_t>(2 * tone.size()));
    ASSERT_TRUE(buffer && FillBuffer(*buffer, Pcm16(tone)) && buffer->Play(true));

    // Two seconds of output, the silence before Play included; the wait only bounds a stalled device.
    const uintmax_t wanted = 2 * OUTPUT_RATE * 2 * sizeof(int16_t);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline &&
           (!std::filesystem::exists(output) || std::filesystem::file_size(output) < wanted))
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    device.reset();
    std::vector<int16_t> samples(std::filesystem::file_size(output) / sizeof(int16_t));
    std::ifstream(output, std::ios::binary).read(reinterpret_cast<char*>(samples.data()), 2 * samples.size());
    std::filesystem::remove(output);

    size_t start = 0;
    while (start < samples.size() && samples[start] == 0)
        start += 2;
    ASSERT_GE(samples.size(), start + 2 * OUTPUT_RATE) << "less than a second of tone";
    int cycles = 0;
    for (size_t i = start + 2; i < start + 2 * OUTPUT_RATE; i += 2)
        cycles += samples[i - 2] < 0 && samples[i] >= 0;
    EXPECT_NEAR(441, cycles, 3);
}
