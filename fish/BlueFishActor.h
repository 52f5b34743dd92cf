#pragma once
// The blue fish: swims like the other finned fish and now and then breathes
// out a puff of three bubbles with a splash sound, just in front of its head.
#include "fish/FinnedFishActor.h"
#include "render/EmissionClock.h"

class CBlueFishActor : public CFinnedFishActor
{
public:
    // Seconds between two chances of a puff; the same for every blue fish.
    static constexpr double BREATH_INTERVAL = 0.5;

    CBlueFishActor();
    int Init() override;
    void Update(float dt, float aspect) override;
    void SkipAhead(double seconds) override;
    // The model all blue fish share, for the life of the process.
    static CModel& GetModel();

protected:
    // Makes one puff check per interval of accumulated time, however the
    // time is split into frames.
    void Breathe(float dt);

    SEmissionClock m_breathClock;
};
