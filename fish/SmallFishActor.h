#pragma once
// The tiny fish: a single rigid node, faster than the others, no animation.
#include "fish/ActorBase.h"

class CSmallFishActor : public CActorBase
{
public:
    int Init() override;
    void Update(float dt, float aspect) override;
    void Draw() override;
    // A tiny fish has no clock: its path does not age.
    void SkipAhead(double) override {}
    // The model all tiny fish share, for the life of the process.
    static CModel& GetModel();
};
