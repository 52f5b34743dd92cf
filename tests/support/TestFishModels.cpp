#include "tests/support/TestFishModels.h"

#include <cstdio>

#include "tests/support/ScratchPack.h"

namespace {

const char* const SKIN = "test/skin.tga";

// The node file of a finned kind: body at the origin, fins and tail around it.
const char* const FINNED_NODES = "NODE fish\r\n"
                                 "TMATRIX 0 0 0\r\n"
                                 "SMATRIX 0.005 0.005 0.005\r\n"
                                 "RMATRIX 1 0 0 0 1 0 0 0 1\r\n"
                                 "MODEL test/body.mod\r\n"
                                 "CHILDS 3\r\n"
                                 "  NODE left_plavnik\r\n"
                                 "  TMATRIX -0.06 0.1 -0.15\r\n"
                                 "  SMATRIX 0.005 0.005 0.005\r\n"
                                 "  RMATRIX 1 0 0 0 1 0 0 0 1\r\n"
                                 "  MODEL test/fin.mod\r\n"
                                 "  CHILDS 0\r\n"
                                 "  NODE right_plavnik\r\n"
                                 "  TMATRIX 0.06 0.1 -0.15\r\n"
                                 "  SMATRIX 0.005 0.005 0.005\r\n"
                                 "  RMATRIX 1 0 0 0 1 0 0 0 1\r\n"
                                 "  MODEL test/fin.mod\r\n"
                                 "  CHILDS 0\r\n"
                                 "  NODE hvost\r\n"
                                 "  TMATRIX 0 -0.36 0\r\n"
                                 "  SMATRIX 0.005 0.005 0.005\r\n"
                                 "  RMATRIX 1 0 0 0 1 0 0 0 1\r\n"
                                 "  MODEL test/fin.mod\r\n"
                                 "  CHILDS 0\r\n";

const char* const TINY_NODES = "NODE sfish\r\n"
                               "TMATRIX 0 0 0\r\n"
                               "SMATRIX 0.005 0.005 0.005\r\n"
                               "RMATRIX 1 0 0 0 1 0 0 0 1\r\n"
                               "MODEL test/body.mod\r\n"
                               "CHILDS 0\r\n";

}  // namespace

std::vector<uint8_t> MakePlainTga(uint8_t red, uint8_t green, uint8_t blue)
{
    const int side = 8;
    std::vector<uint8_t> tga = MakeTgaHeader(2, 0, side, side, 24);
    for (int i = 0; i < side * side; ++i) {
        tga.push_back(blue);
        tga.push_back(green);
        tga.push_back(red);
    }
    return tga;
}

std::string MakeSquareMesh(const std::string& texture, float halfSize)
{
    char corners[256];
    std::snprintf(corners, sizeof corners, "0 %g %g 0 0\r\n0 %g %g 1 0\r\n0 %g %g 1 1\r\n0 %g %g 0 1\r\n", -halfSize,
                  -halfSize, halfSize, -halfSize, halfSize, halfSize, -halfSize, halfSize);
    return "OBJECT square 4 2\r\nTEXTURE " + texture + "\r\nVERTICES\r\n" + corners + "TRIANGLES\r\n0 1 2\r\n0 2 3\r\n";
}

std::vector<uint8_t> ToBytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

void AddTestFishModels(CScratchPack& pack)
{
    pack.Add(SKIN, MakePlainTga(TEST_SKIN_RED, TEST_SKIN_GREEN, TEST_SKIN_BLUE));
    pack.Add("test/body.mod", ToBytes(MakeSquareMesh(SKIN, TEST_BODY_HALF_SIZE / 0.005f)));
    pack.Add("test/fin.mod", ToBytes(MakeSquareMesh(SKIN, 4.0f)));
    for (const char* name : {"fish.sca", "bfish.sca", "pfish.sca"})
        pack.Add(name, ToBytes(FINNED_NODES));
    pack.Add("sfish.sca", ToBytes(TINY_NODES));
}
