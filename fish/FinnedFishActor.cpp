#include "fish/FinnedFishActor.h"

#include <cmath>

#include "app/Random.h"

namespace {

// Cycle speed in radians per second; body and tail swing at twice it, the
// fins at half, so the fins beat at a quarter of the body's frequency.
const float PHASE_RATE = 3.0f;
// Every sine of the phase repeats after 4 pi, so the phase wraps there: a
// float that only grew would lose its fraction and freeze the fins in days.
const double PHASE_PERIOD = 4.0 * 3.14159265358979323846;
// Fixed tilt of both fins about the fish's X axis, radians.
const float FIN_TILT = 0.7f;

}  // namespace

CFinnedFishActor::CFinnedFishActor(const SFishKind& kind, CModel& model) : m_kind(kind), m_model(model) {}

// Each fish starts at its own point of the cycle.
int CFinnedFishActor::Init()
{
    StartPath(m_kind);
    m_bodyAngle = m_finSweep = m_finTwist = m_tailAngle = 0.0f;
    m_phase = static_cast<float>(std::fmod(static_cast<double>(Random()), PHASE_PERIOD));
    return LoadModelOnce(m_model, m_kind);
}

void CFinnedFishActor::Update(float dt, float aspect)
{
    MoveAlongPath(dt, aspect);
    Animate(dt);
}

void CFinnedFishActor::Draw()
{
    DrawModel(m_model, m_kind);
}

void CFinnedFishActor::SkipAhead(double seconds)
{
    Animate(static_cast<float>(seconds));
}

// The fins are mirror images of each other: the right one turns by the
// negated sweep and twist, with the same tilt.
void CFinnedFishActor::Animate(float dt)
{
    m_phase = static_cast<float>(std::fmod(m_phase + static_cast<double>(PHASE_RATE) * dt, PHASE_PERIOD));
    m_bodyAngle = 0.1f * std::sin(2.0f * m_phase);
    m_finSweep = 0.7f * std::sin(0.5f * m_phase) - 1.0f;
    m_finTwist = 0.5f * std::sin(0.5f * m_phase + 1.5f);
    m_tailAngle = 0.4f * std::sin(2.0f * m_phase);

    PoseNode(m_model, "fish", {{2, m_bodyAngle}});
    PoseNode(m_model, "left_plavnik", {{2, m_finSweep}, {0, FIN_TILT}, {1, m_finTwist}});
    PoseNode(m_model, "right_plavnik", {{2, -m_finSweep}, {0, FIN_TILT}, {1, -m_finTwist}});
    PoseNode(m_model, "hvost", {{2, m_tailAngle}});
}
