#pragma once
// The aquarium's backdrop (2048 x 2048): open water from a bright surface to a
// dark depth, sun shafts, a hazy far reef, a sandy floor with rocks, weed and
// corals. It is shown stretched to the screen's shape, so the shapes are
// drawn narrower than they are meant to look.
#include "../Image.h"

CImage PaintBackground();
