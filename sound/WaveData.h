#pragma once
// The PCM samples of a WAV pack entry, read only long enough to fill a
// sound buffer. Only the canonical layout is taken: "RIFF", a 16-byte "fmt "
// chunk and the "data" chunk right after it at byte 36. Chunks after the
// data (an INFO "LIST", say) are ignored; anything else is refused.
#include <cstdint>
#include <vector>

struct SWaveData
{
    std::vector<uint8_t> samples;  // the data chunk's bytes, whole samples only
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint16_t bitsPerSample = 0;
    uint32_t sampleCount = 0;  // over all channels

    // Fills the record from a WAV held in memory; false, leaving it as it
    // was, for any other layout, a truncated data chunk or fewer than 8 bits
    // per sample.
    bool Parse(const uint8_t* data, uint32_t size);
};
