#include "sound/WaveData.h"

#include <cstring>

namespace {

const uint32_t HEADER_SIZE = 44;  // RIFF header, 16-byte format chunk, data chunk header

uint32_t ReadU32(const uint8_t* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t ReadU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

bool SWaveData::Parse(const uint8_t* data, uint32_t size)
{
    if (!data || size < HEADER_SIZE)
        return false;
    if (std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVEfmt ", 8) != 0)
        return false;
    // Another size means another chunk, or a longer format chunk, where the data chunk should be.
    if (ReadU32(data + 16) != 16 || std::memcmp(data + 36, "data", 4) != 0)
        return false;
    const uint16_t bits = ReadU16(data + 34);
    const uint32_t dataSize = ReadU32(data + 40);
    // Below 8 bits a sample has no whole byte: refused, never divided by.
    if (bits < 8 || static_cast<uint64_t>(HEADER_SIZE) + dataSize > size)
        return false;
    const uint32_t bytesPerSample = bits / 8u;
    channels = ReadU16(data + 22);
    samplesPerSec = ReadU32(data + 24);
    bitsPerSample = bits;
    sampleCount = dataSize / bytesPerSample;
    samples.assign(data + HEADER_SIZE, data + HEADER_SIZE + sampleCount * bytesPerSample);
    return true;
}
