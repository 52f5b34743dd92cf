#include "tests/support/ScratchPack.h"

#include "assets/Pack.h"

CScratchPack::CScratchPack()
{
    GetPack().Clear();
}

CScratchPack::~CScratchPack()
{
    GetPack().Clear();
}

void CScratchPack::Add(const std::string& name, const std::vector<uint8_t>& bytes)
{
    GetPack().AddRecord(name.c_str(), bytes.data(), static_cast<uint32_t>(bytes.size()));
}

std::vector<uint8_t> MakeTgaHeader(uint8_t imageType, uint8_t colorMapType, int width, int height, uint8_t depth,
                                   uint8_t descriptor, uint8_t idLength)
{
    std::vector<uint8_t> header(18, 0);
    header[0] = idLength;
    header[1] = colorMapType;
    header[2] = imageType;
    header[12] = width & 0xFF;
    header[13] = (width >> 8) & 0xFF;
    header[14] = height & 0xFF;
    header[15] = (height >> 8) & 0xFF;
    header[16] = depth;
    header[17] = descriptor;
    return header;
}
