#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "platform/AudioMixer.h"
#include "tests/support/WavBytes.h"

// The software mixer rendered offline: known buffers in, output samples
// checked against values worked out by hand.
namespace {

const uint32_t RATE = 22050;

std::unique_ptr<CAudioBufferI> MakeBuffer(CAudioMixer& mixer, const std::vector<uint8_t>& bytes, uint16_t bits = 16,
                                          uint16_t channels = 1, uint32_t rate = RATE)
{
    std::unique_ptr<CAudioBufferI> buffer =
        mixer.CreateBuffer(SAudioFormat{channels, rate, bits}, static_cast<uint32_t>(bytes.size()));
    void *first = nullptr, *second = nullptr;
    uint32_t firstBytes = 0, secondBytes = 0;
    EXPECT_TRUE(buffer->Lock(0, static_cast<uint32_t>(bytes.size()), &first, &firstBytes, &second, &secondBytes));
    std::memcpy(first, bytes.data(), firstBytes);
    EXPECT_TRUE(buffer->Unlock(first, firstBytes, second, secondBytes));
    return buffer;
}

// Interleaved left, right.
std::vector<int16_t> Render(CAudioMixer& mixer, size_t frames)
{
    std::vector<int16_t> out(2 * frames, -1);
    mixer.Mix(out.data(), frames);
    return out;
}

std::vector<int16_t> Ramp(int count, int step)
{
    std::vector<int16_t> samples;
    for (int i = 0; i < count; ++i)
        samples.push_back(static_cast<int16_t>(i * step));
    return samples;
}

}  // namespace

// Gains: -602 hundredths of a decibel is half the amplitude; a positive
// pan takes that much from the left channel only, a negative one from the right.
TEST(CAudioMixer, VolumeAndPanScaleTheRightChannels)
{
    CAudioMixer mixer(RATE);
    auto buffer = MakeBuffer(mixer, Pcm16(std::vector<int16_t>(64, 16384)));
    ASSERT_TRUE(buffer->SetVolume(-602));
    ASSERT_TRUE(buffer->Play(false));
    std::vector<int16_t> out = Render(mixer, 8);
    EXPECT_NEAR(8192, out[0], 2);
    EXPECT_NEAR(8192, out[1], 2);

    ASSERT_TRUE(buffer->SetVolume(0));
    ASSERT_TRUE(buffer->SetPan(602));
    out = Render(mixer, 8);
    EXPECT_NEAR(8192, out[0], 2);
    EXPECT_EQ(16384, out[1]);

    ASSERT_TRUE(buffer->SetPan(-10000));
    out = Render(mixer, 8);
    EXPECT_EQ(16384, out[0]);
    EXPECT_EQ(0, out[1]);
}

// At twice its rate a buffer ends in half the output frames, and a buffer
// at half the rate gives the points halfway between its samples.
TEST(CAudioMixer, RateChangesDurationAndInterpolates)
{
    CAudioMixer mixer(RATE);
    auto fast = MakeBuffer(mixer, Pcm16(std::vector<int16_t>(1000, 1000)));
    ASSERT_TRUE(fast->SetFrequency(2 * RATE));
    ASSERT_TRUE(fast->Play(false));
    std::vector<int16_t> out = Render(mixer, 1000);
    int sounding = 0;
    for (size_t i = 0; i < out.size(); i += 2)
        sounding += out[i] != 0;
    EXPECT_EQ(500, sounding);
    EXPECT_FALSE(fast->IsPlaying());

    auto slow = MakeBuffer(mixer, Pcm16(Ramp(8, 1000)));
    ASSERT_TRUE(slow->SetFrequency(RATE / 2));
    ASSERT_TRUE(slow->Play(false));
    out = Render(mixer, 6);
    const int expected[] = {0, 500, 1000, 1500, 2000, 2500};
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(expected[i], out[2 * i], 1) << i;
}

// A looping buffer runs on from its last frame into its first with no
// frame lost or repeated.
TEST(CAudioMixer, LoopWrapsWithoutAGap)
{
    CAudioMixer mixer(RATE);
    const std::vector<int16_t> ramp = Ramp(100, 10);
    auto buffer = MakeBuffer(mixer, Pcm16(ramp));
    ASSERT_TRUE(buffer->Play(true));
    const std::vector<int16_t> out = Render(mixer, 350);
    for (size_t i = 0; i < 350; ++i)
        ASSERT_EQ(ramp[i % 100], out[2 * i]) << i;
    EXPECT_TRUE(buffer->IsPlaying());
}

// At a step that is not whole, the frame after a loop's last is its first,
// and a single play holds its last: nothing past the end of the data is read.
TEST(CAudioMixer, InterpolationAtTheEndStaysInsideTheData)
{
    CAudioMixer mixer(RATE);
    auto loop = MakeBuffer(mixer, Pcm16({8000, 16000, 24000, 32000}));
    ASSERT_TRUE(loop->SetFrequency(RATE * 3 / 2));
    ASSERT_TRUE(loop->Play(true));
    std::vector<int16_t> out = Render(mixer, 8);
    // Frames 0, 1.5, 3, 0.5 (wrapped), 2, 3.5 (between the last and the first), 1, 2.5.
    const int looped[] = {8000, 20000, 32000, 12000, 24000, 20000, 16000, 28000};
    for (int i = 0; i < 8; ++i)
        EXPECT_NEAR(looped[i], out[2 * i], 1) << i;
    loop->Stop();

    auto once = MakeBuffer(mixer, Pcm16({8000, 16000, 24000, 32000}));
    ASSERT_TRUE(once->SetFrequency(RATE / 2));
    ASSERT_TRUE(once->Play(false));
    out = Render(mixer, 9);
    const int single[] = {8000, 12000, 16000, 20000, 24000, 28000, 32000, 32000, 0};
    for (int i = 0; i < 9; ++i)
        EXPECT_NEAR(single[i], out[2 * i], 1) << i;
}

// A duplicate of a playing buffer waits for a Play of its own.
TEST(CAudioMixer, DuplicateOfPlayingBufferStartsStopped)
{
    CAudioMixer mixer(RATE);
    auto original = MakeBuffer(mixer, Pcm16(std::vector<int16_t>(100, 1000)));
    ASSERT_TRUE(original->Play(true));
    Render(mixer, 30);
    auto duplicate = original->Duplicate();
    EXPECT_FALSE(duplicate->IsPlaying());
    EXPECT_EQ(1000, Render(mixer, 1)[0]);
}

// Data written while the buffer plays reaches the output whole: each chunk
// the audio thread mixes holds the old data or the new, never part of each.
// Under ThreadSanitizer a copy made outside the mixer's lock is a race too.
TEST(CAudioMixer, DataWrittenWhilePlayingIsNeverHalfHeard)
{
    const size_t FRAMES = 256;  // one chunk of the mixer's, and one pass of the loop
    CAudioMixer mixer(RATE);
    auto buffer = MakeBuffer(mixer, Pcm16(std::vector<int16_t>(FRAMES, 1000)));
    ASSERT_TRUE(buffer->Play(true));
    std::atomic<bool> done{false};
    std::atomic<int> chunks{0};
    int mixedChunks = 0;
    std::thread audio([&] {
        std::vector<int16_t> out(2 * FRAMES);
        while (!done) {
            mixer.Mix(out.data(), FRAMES);
            ++chunks;
            for (size_t i = 2; i < out.size(); i += 2) {
                if (out[i] != out[0]) {
                    ++mixedChunks;
                    break;
                }
            }
        }
    });
    // Writes until the audio thread has mixed many chunks meanwhile.
    int refused = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (int i = 0; chunks < 20000 && std::chrono::steady_clock::now() < deadline; ++i)
        refused += !FillBuffer(*buffer, Pcm16(std::vector<int16_t>(FRAMES, i % 2 ? -1000 : 1000)));
    done = true;
    audio.join();
    EXPECT_EQ(0, refused);
    EXPECT_GE(chunks, 20000);
    EXPECT_EQ(0, mixedChunks) << "of " << chunks;
}

// A duplicate shares the data written after it was made, but has its own
// position, volume and playing state.
TEST(CAudioMixer, DuplicatePlaysIndependently)
{
    CAudioMixer mixer(RATE);
    auto original = mixer.CreateBuffer(SAudioFormat{1, RATE, 16}, 200);
    auto duplicate = original->Duplicate();
    ASSERT_TRUE(duplicate);
    const std::vector<uint8_t> bytes = Pcm16(Ramp(100, 10));
    void *first = nullptr, *second = nullptr;
    uint32_t firstBytes = 0, secondBytes = 0;
    ASSERT_TRUE(original->Lock(0, 200, &first, &firstBytes, &second, &secondBytes));
    std::memcpy(first, bytes.data(), firstBytes);
    ASSERT_TRUE(original->Unlock(first, firstBytes, second, secondBytes));

    ASSERT_TRUE(original->Play(false));
    Render(mixer, 50);
    ASSERT_TRUE(duplicate->SetVolume(-10000));
    ASSERT_TRUE(duplicate->Play(false));
    std::vector<int16_t> out = Render(mixer, 10);
    EXPECT_EQ(500, out[0]);  // the original alone, at its frame 50

    ASSERT_TRUE(duplicate->SetVolume(0));
    ASSERT_TRUE(original->Stop());
    out = Render(mixer, 10);
    EXPECT_EQ(100, out[0]);  // the duplicate alone, at its frame 10
    EXPECT_TRUE(duplicate->IsPlaying());
    EXPECT_FALSE(original->IsPlaying());
}

// 32 loud voices sum far beyond full scale: the output sticks at the ends
// of the 16-bit range instead of wrapping round to the other sign.
TEST(CAudioMixer, LoudSumClipsInsteadOfWrapping)
{
    CAudioMixer mixer(RATE);
    std::vector<std::unique_ptr<CAudioBufferI>> voices;
    for (int i = 0; i < 32; ++i) {
        voices.push_back(MakeBuffer(mixer, Pcm16(std::vector<int16_t>(64, i % 2 ? 30000 : 29000))));
        voices.back()->Play(true);
    }
    for (int16_t sample : Render(mixer, 64))
        ASSERT_EQ(32767, sample);
    for (int i = 0; i < 32; ++i)
        voices[i] = MakeBuffer(mixer, Pcm16(std::vector<int16_t>(64, -30000)));
    for (auto& voice : voices)
        voice->Play(true);
    for (int16_t sample : Render(mixer, 64))
        ASSERT_EQ(-32768, sample);
}

// 8-bit data is unsigned: 128 is silence, 0 the bottom and 255 the top.
TEST(CAudioMixer, EightBitDataIsUnsigned)
{
    CAudioMixer mixer(RATE);
    auto silent = MakeBuffer(mixer, std::vector<uint8_t>(64, 128), 8);
    silent->Play(false);
    for (int16_t sample : Render(mixer, 32))
        ASSERT_EQ(0, sample);
    silent->Stop();

    auto extremes = MakeBuffer(mixer, std::vector<uint8_t>{0, 255}, 8);
    extremes->Play(false);
    const std::vector<int16_t> out = Render(mixer, 2);
    EXPECT_EQ(-32768, out[0]);
    EXPECT_EQ(32512, out[2]);  // 127 steps of 256
}

// A stereo buffer keeps its left and right apart.
TEST(CAudioMixer, StereoDataKeepsItsChannels)
{
    CAudioMixer mixer(RATE);
    auto buffer = MakeBuffer(mixer, Pcm16({8000, -8000, 8000, -8000}), 16, 2);
    buffer->Play(false);
    const std::vector<int16_t> out = Render(mixer, 2);
    EXPECT_EQ(8000, out[0]);
    EXPECT_EQ(-8000, out[1]);
    EXPECT_EQ(8000, out[2]);
    EXPECT_EQ(-8000, out[3]);
}

// The live count follows every buffer and duplicate until it is released,
// also when the mixer itself went first; a refused buffer is not counted.
TEST(CAudioMixer, LiveBufferCountFollowsReleases)
{
    const uint32_t before = CountLiveMixerBuffers();
    auto mixer = std::make_unique<CAudioMixer>(RATE);
    auto original = MakeBuffer(*mixer, Pcm16(std::vector<int16_t>(16, 0)));
    auto copy = original->Duplicate();
    EXPECT_EQ(mixer->CreateBuffer(SAudioFormat{3, RATE, 16}, 64), nullptr);
    EXPECT_EQ(CountLiveMixerBuffers(), before + 2);
    original.reset();
    EXPECT_EQ(CountLiveMixerBuffers(), before + 1);
    mixer.reset();
    copy.reset();
    EXPECT_EQ(CountLiveMixerBuffers(), before);
}

// A rest fades the output to silence and a resume fades it back in: at no
// point does the output jump by more than the fade's own step (a click).
TEST(CAudioMixer, RestAndResumeFadeWithoutAJump)
{
    CAudioMixer mixer(RATE);
    auto buffer = MakeBuffer(mixer, Pcm16(std::vector<int16_t>(1000, 16384)));
    ASSERT_TRUE(buffer->Play(true));
    std::vector<int16_t> out = Render(mixer, 1000);
    mixer.Rest();
    const std::vector<int16_t> resting = Render(mixer, 2000);
    out.insert(out.end(), resting.begin(), resting.end());
    EXPECT_TRUE(mixer.IsAtRest());
    EXPECT_EQ(0, out.back());
    ASSERT_TRUE(mixer.Resume());
    const std::vector<int16_t> resumed = Render(mixer, 1000);
    out.insert(out.end(), resumed.begin(), resumed.end());
    EXPECT_EQ(16384, out.back());
    // 10 ms at 22.05 kHz is 220 frames: full scale in steps of about 75.
    int largest = 0;
    for (size_t i = 2; i < out.size(); i += 2)
        largest = std::max(largest, std::abs(out[i] - out[i - 2]));
    EXPECT_LT(largest, 100);
}

// At rest the voices stand still: after a long rest a loop goes on from
// about where its fade ended, not from where it would have got to.
TEST(CAudioMixer, RestKeepsVoicesWhereTheyStopped)
{
    CAudioMixer mixer(RATE);
    auto buffer = MakeBuffer(mixer, Pcm16(Ramp(20000, 1)));
    ASSERT_TRUE(buffer->Play(true));
    Render(mixer, 1000);
    mixer.Rest();
    Render(mixer, 10000);
    ASSERT_TRUE(mixer.Resume());
    const std::vector<int16_t> out = Render(mixer, 1000);
    // Past the fade-in, each frame is the ramp's value at the voice's position.
    const int position = out[2 * 999] - 999;
    EXPECT_GE(position, 1000 + 220);
    EXPECT_LE(position, 1000 + 220 + 256);
}
