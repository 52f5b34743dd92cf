#pragma once
// The small pictures of the water effects.
#include <cstdint>
#include <vector>

#include "../Image.h"

// 64 x 64 grey, tileable: a net of bright lines, as light under waves.
CImage PaintCaustics();

// 64 x 64 indices into BubblePalette(): a dark glassy sphere with a bright
// rim and a highlight, black around it (the show adds it to the picture).
std::vector<uint8_t> PaintBubble();
std::vector<SColor> BubblePalette();
