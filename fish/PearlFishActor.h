#pragma once
// The pearl fish.
#include "fish/FinnedFishActor.h"

class CPearlFishActor : public CFinnedFishActor
{
public:
    CPearlFishActor();
    // The model all pearl fish share, for the life of the process.
    static CModel& GetModel();
};
