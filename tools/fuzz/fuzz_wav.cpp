// Feeds arbitrary bytes to the WAV reader; what it accepts holds whole
// samples of 8 bits or more, as many as it says. Channels and rate are the
// sound device's to judge when it makes the buffer.
#include <cstdlib>

#include "sound/WaveData.h"
#include "tools/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > UINT32_MAX)
        return 0;
    SWaveData wave;
    if (!wave.Parse(data, static_cast<uint32_t>(size)))
        return 0;
    const uint32_t bytesPerSample = wave.bitsPerSample / 8u;
    if (wave.bitsPerSample < 8 || static_cast<uint64_t>(wave.sampleCount) * bytesPerSample != wave.samples.size())
        std::abort();
    TouchLastByte(wave.samples.data(), wave.samples.size());
    return 0;
}
