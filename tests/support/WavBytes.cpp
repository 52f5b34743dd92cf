#include "tests/support/WavBytes.h"

#include <cstring>

#include "platform/AudioDevice.h"

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutU16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutText(std::vector<uint8_t>& out, const char* text)
{
    out.insert(out.end(), text, text + std::strlen(text));
}

}  // namespace

std::vector<uint8_t> MakeWav(uint16_t channels, uint32_t rate, uint16_t bits, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> wav;
    PutText(wav, "RIFF");
    PutU32(wav, static_cast<uint32_t>(36 + data.size()));
    PutText(wav, "WAVEfmt ");
    PutU32(wav, 16);
    PutU16(wav, 1);  // PCM
    PutU16(wav, channels);
    PutU32(wav, rate);
    PutU32(wav, rate * channels * bits / 8);
    PutU16(wav, channels * bits / 8);
    PutU16(wav, bits);
    PutText(wav, "data");
    PutU32(wav, static_cast<uint32_t>(data.size()));
    wav.insert(wav.end(), data.begin(), data.end());
    return wav;
}

std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples)
{
    std::vector<uint8_t> bytes;
    for (int16_t sample : samples)
        PutU16(bytes, static_cast<uint16_t>(sample));
    return bytes;
}

bool FillBuffer(CAudioBufferI& buffer, const std::vector<uint8_t>& bytes)
{
    void *first = nullptr, *second = nullptr;
    uint32_t firstBytes = 0, secondBytes = 0;
    if (!buffer.Lock(0, static_cast<uint32_t>(bytes.size()), &first, &firstBytes, &second, &secondBytes))
        return false;
    std::memcpy(first, bytes.data(), firstBytes);
    return buffer.Unlock(first, firstBytes, second, secondBytes);
}
