#pragma once
// Hand-made fish models for tests, under the pack names the fish kinds load.
// Every mesh is a square in its node's Y-Z plane facing +X (the side a fish
// shows the viewer), all with one plain-coloured skin, so the place and the
// colour of a drawn fish are known in advance.
#include <cstdint>
#include <string>
#include <vector>

class CScratchPack;

// The skin colour, R, G, B.
const uint8_t TEST_SKIN_RED = 200, TEST_SKIN_GREEN = 60, TEST_SKIN_BLUE = 20;
// Half the body square's edge in model units (mesh units times the node scale 0.005).
const float TEST_BODY_HALF_SIZE = 0.5f;

// An 8 x 8 uncompressed 24-bit TGA of one colour.
std::vector<uint8_t> MakePlainTga(uint8_t red, uint8_t green, uint8_t blue);
// A mesh file: a square of that half size (mesh units) in the Y-Z plane, two
// triangles counter-clockwise seen from +X.
std::string MakeSquareMesh(const std::string& texture, float halfSize);
std::vector<uint8_t> ToBytes(const std::string& text);

// Adds "fish.sca", "bfish.sca", "pfish.sca" and "sfish.sca" with their meshes
// and skin: the finned kinds as body "fish" at the model's origin with small
// "left_plavnik", "right_plavnik" and "hvost" squares; the tiny fish as one
// node "sfish".
void AddTestFishModels(CScratchPack& pack);
