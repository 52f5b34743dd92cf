#pragma once
// A fish with a body, two side fins and a tail that beat as it swims: the
// common ground of the yellow, blue and pearl fish. Each fish keeps its own
// point of the swimming cycle and poses the kind's shared model right before
// it is drawn, so fish of one kind never show one another's pose.
#include "fish/ActorBase.h"

class CFinnedFishActor : public CActorBase
{
public:
    CFinnedFishActor(const SFishKind& kind, CModel& model);

    int Init() override;
    void Update(float dt, float aspect) override;
    void Draw() override;
    // Only the swimming cycle ages; the path does not.
    void SkipAhead(double seconds) override;

protected:
    // Moves the swimming cycle on by dt seconds and poses the model.
    void Animate(float dt);

    const SFishKind& m_kind;
    CModel& m_model;
    float m_bodyAngle = 0.0f;  // radians, sideways swing of the body
    float m_finSweep = 0.0f;   // radians, fins about the fish's Z axis
    float m_finTwist = 0.0f;   // radians, fins about their own Y axis
    float m_tailAngle = 0.0f;  // radians, sideways swing of the tail
    float m_phase = 0.0f;      // radians of the swimming cycle, 0..4 pi
};
