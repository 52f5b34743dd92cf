#pragma once
// Hand-made WAV files for the sound tests: the canonical 44-byte header
// around the given data bytes, and 16-bit sample data from values.
#include <cstdint>
#include <vector>

// "RIFF", a 16-byte PCM "fmt " chunk and the "data" chunk holding data.
std::vector<uint8_t> MakeWav(uint16_t channels, uint32_t rate, uint16_t bits, const std::vector<uint8_t>& data);

// Little-endian 16-bit samples, interleaved as given.
std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples);
