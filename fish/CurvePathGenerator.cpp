#include "fish/CurvePathGenerator.h"

#include <algorithm>

namespace {

// The aquarium volume in scene units; x reaches past the view so that fish
// swim out at the sides and come back.
const float VOLUME_MIN_X = -0.2f, VOLUME_MAX_X = 1.2f;
const float VOLUME_MIN_Y = 0.0f, VOLUME_MAX_Y = 1.0f;
const float VOLUME_MIN_Z = 0.0f, VOLUME_MAX_Z = 1.0f;

// Candidates drawn before the last one is taken as it is.
const int MAX_CANDIDATES = 16;

// How far ahead of the fish the heading is taken, in segment parameter units.
const float LOOK_AHEAD = 0.1f;

// One coordinate of the uniform cubic B-spline segment over c0..c3 at u.
float EvaluateSegment(float c0, float c1, float c2, float c3, float u)
{
    const float a = static_cast<float>((3.0 * c1 - c0 - 3.0 * c2 + c3) / 6.0);
    const float b = static_cast<float>((c2 + c0 - 2.0 * c1) * 0.5);
    const float c = static_cast<float>((c2 - c0) * 0.5);
    const float d = static_cast<float>((c2 + c0 + 4.0 * c1) / 6.0);
    return ((a * u + b) * u + c) * u + d;
}

}  // namespace

void CCurvePathGenerator::Start(float speed)
{
    m_speed = speed;
    m_t = 0.0f;
    PickControlPoint(nullptr, nullptr, m_points[0]);
    PickControlPoint(nullptr, nullptr, m_points[1]);
    PickControlPoint(&m_points[0], &m_points[1], m_points[2]);
    PickControlPoint(&m_points[1], &m_points[2], m_points[3]);
}

bool CCurvePathGenerator::Advance(double dt)
{
    const double step = std::min(m_speed * dt, 1.0);
    m_t = static_cast<float>(m_t + step);
    if (m_t > 1.0f) {
        m_t -= 1.0f;
        m_points[0] = m_points[1];
        m_points[1] = m_points[2];
        m_points[2] = m_points[3];
        PickControlPoint(&m_points[1], &m_points[2], m_points[3]);
    }
    return true;
}

void CCurvePathGenerator::GetPosition(SVector3& out) const
{
    Evaluate(m_t, out);
}

void CCurvePathGenerator::GetLookAhead(SVector3& out) const
{
    Evaluate(m_t + LOOK_AHEAD, out);
}

void CCurvePathGenerator::PickControlPoint(const SVector3* beforePrevious, const SVector3* previous, SVector3& out)
{
    for (int candidate = 1; candidate <= MAX_CANDIDATES; ++candidate) {
        out.x = RandomRange(VOLUME_MIN_X, VOLUME_MAX_X);
        out.y = RandomRange(VOLUME_MIN_Y, VOLUME_MAX_Y);
        out.z = RandomRange(VOLUME_MIN_Z, VOLUME_MAX_Z);
        if (!beforePrevious || !previous)
            return;
        SVector3 leg, previousLeg;
        VecSub(out, *previous, leg);
        VecSub(*previous, *beforePrevious, previousLeg);
        if (VecDot(leg, previousLeg) > 0.0f)
            return;
    }
}

// The look-ahead may run past u = 1 on the same polynomial; only y and z are
// held inside the volume, x may leave it as the fish swims out of view.
void CCurvePathGenerator::Evaluate(float u, SVector3& out) const
{
    const SVector3* p = m_points;
    out.x = EvaluateSegment(p[0].x, p[1].x, p[2].x, p[3].x, u);
    out.y = std::clamp(EvaluateSegment(p[0].y, p[1].y, p[2].y, p[3].y, u), VOLUME_MIN_Y, VOLUME_MAX_Y);
    out.z = std::clamp(EvaluateSegment(p[0].z, p[1].z, p[2].z, p[3].z, u), VOLUME_MIN_Z, VOLUME_MAX_Z);
}
