#pragma once
// The yellow fish.
#include "fish/FinnedFishActor.h"

class CFishActor : public CFinnedFishActor
{
public:
    CFishActor();
    // The model all yellow fish share, for the life of the process.
    static CModel& GetModel();
};
