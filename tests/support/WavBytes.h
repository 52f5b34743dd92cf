#pragma once
// Hand-made sound data for the sound tests: WAV files with the canonical
// 44-byte header around the given data bytes, 16-bit sample data from
// values, and sound buffers filled with such data.
#include <cstdint>
#include <vector>

class CAudioBufferI;

// "RIFF", a 16-byte PCM "fmt " chunk and the "data" chunk holding data.
std::vector<uint8_t> MakeWav(uint16_t channels, uint32_t rate, uint16_t bits, const std::vector<uint8_t>& data);

// Little-endian 16-bit samples, interleaved as given.
std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples);

// Writes the bytes into the buffer from its start; false when it refuses.
bool FillBuffer(CAudioBufferI& buffer, const std::vector<uint8_t>& bytes);
