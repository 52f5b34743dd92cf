#pragma once
// An endless, smooth, randomly wandering swimming path through the aquarium
// volume: a uniform cubic B-spline over a sliding window of four control
// points. When the parameter passes the end of a segment the window slides by
// one and a new random point is appended that does not turn the path back on
// itself. One per fish; it knows nothing about how the fish is drawn.
#include "render/Math.h"

class CCurvePathGenerator
{
public:
    // Called once by the actor's Init: sets the speed (segments per second),
    // rewinds to the start of the first segment and picks four control points.
    void Start(float speed);
    // Called every frame with the frame time in seconds; chains at most one
    // segment per call. Always true.
    bool Advance(double dt);
    // The point of the current segment at the current parameter.
    void GetPosition(SVector3& out) const;
    // The point a little further along the same segment polynomial, for the heading.
    void GetLookAhead(SVector3& out) const;
    // Draws candidates until one turns by less than 90 degrees from the leg
    // beforePrevious -> previous (either may be null: no constraint).
    static void PickControlPoint(const SVector3* beforePrevious, const SVector3* previous, SVector3& out);

    // Control point 0..3 of the current window.
    const SVector3& GetControlPoint(int index) const { return m_points[index]; }
    float GetParameter() const { return m_t; }

private:
    void Evaluate(float u, SVector3& out) const;

    SVector3 m_points[4] = {};
    float m_speed = 0.0f;  // segments per second
    float m_t = 0.0f;      // parameter within the current segment, 0..1
};
