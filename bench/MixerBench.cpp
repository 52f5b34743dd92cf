// The software mixer's cost: one second of 44.1 kHz stereo output with all
// 32 voices playing the shipped sounds at assorted pitches, panned and at
// assorted volumes. The time per iteration is the share of one core the
// mixer takes (target: under 1 %, 10 ms). Run by hand:
//   build/bench/bench_MixerBench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "assets/Pack.h"
#include "platform/AudioMixer.h"
#include "sound/WaveData.h"

namespace {

const uint32_t OUTPUT_RATE = 44100;
const size_t BLOCK_FRAMES = 1024;  // what the device asks for at a time
const char* const SOUNDS[] = {"sound/main.wav", "sound/splash0.wav", "sound/splash1.wav", "sound/splash2.wav"};

std::unique_ptr<CAudioBufferI> LoadBuffer(CAudioMixer& mixer, const char* name)
{
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    SWaveData wave;
    if (!FindPackItem(name, &data, &size) || !wave.Parse(data, size))
        return nullptr;
    const uint32_t bytes = static_cast<uint32_t>(wave.samples.size());
    auto buffer = mixer.CreateBuffer(SAudioFormat{wave.channels, wave.samplesPerSec, wave.bitsPerSample}, bytes);
    void *first = nullptr, *second = nullptr;
    uint32_t firstBytes = 0, secondBytes = 0;
    if (!buffer || !buffer->Lock(0, bytes, &first, &firstBytes, &second, &secondBytes))
        return nullptr;
    std::copy(wave.samples.begin(), wave.samples.begin() + firstBytes, static_cast<uint8_t*>(first));
    buffer->Unlock(first, firstBytes, second, secondBytes);
    return buffer;
}

void BM_MixThirtyTwoVoices(benchmark::State& state)
{
    if (!LoadResourcePack(PACK_RESOURCE_ID)) {
        state.SkipWithError("no pack");
        return;
    }
    CAudioMixer mixer(OUTPUT_RATE);
    std::vector<std::unique_ptr<CAudioBufferI>> voices;
    for (int i = 0; i < 32; ++i) {
        auto buffer = LoadBuffer(mixer, SOUNDS[i % 4]);
        if (!buffer) {
            state.SkipWithError("a sound did not load");
            return;
        }
        // Pitches from 0.5 to 1.5 of each sound's own rate; looping keeps every voice busy.
        buffer->SetFrequency(buffer->GetFrequency() * (50 + 100 * i / 31) / 100);
        buffer->SetPan((i % 5 - 2) * 1000);
        buffer->SetVolume(-100 * (i % 10));
        buffer->Play(true);
        voices.push_back(std::move(buffer));
    }
    std::vector<int16_t> block(2 * BLOCK_FRAMES);
    for (auto _ : state) {
        for (size_t done = 0; done < OUTPUT_RATE; done += BLOCK_FRAMES)
            mixer.Mix(block.data(), std::min<size_t>(BLOCK_FRAMES, OUTPUT_RATE - done));
        benchmark::DoNotOptimize(block.data());
    }
    state.SetLabel("per second of output");
}
BENCHMARK(BM_MixThirtyTwoVoices)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
