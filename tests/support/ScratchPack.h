#pragma once
// Gives a test the process-wide pack to fill by hand: empty while the object
// lives and emptied again after, so no test sees another's entries.
#include <cstdint>
#include <string>
#include <vector>

class CScratchPack
{
public:
    CScratchPack();
    ~CScratchPack();
    CScratchPack(const CScratchPack&) = delete;
    CScratchPack& operator=(const CScratchPack&) = delete;

    void Add(const std::string& name, const std::vector<uint8_t>& bytes);
};

// An 18-byte TGA header with these fields and zeros elsewhere.
std::vector<uint8_t> MakeTgaHeader(uint8_t imageType, uint8_t colorMapType, int width, int height, uint8_t depth,
                                   uint8_t descriptor = 0, uint8_t idLength = 0);
