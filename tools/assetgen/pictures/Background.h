#pragma once
// The aquarium's backdrop (512 x 512): open water from a bright surface to a
// dark depth, sun shafts, a hazy far reef, a sandy floor with rocks, weed and
// corals. It is shown stretched to the screen's shape, so the shapes are
// drawn narrower than they are meant to look.
#include "../Image.h"

CImage PaintBackground();
