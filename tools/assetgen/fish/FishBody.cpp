#include "FishBody.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "../Paint.h"

namespace {

double SignedPower(double value, double exponent)
{
    return std::copysign(std::pow(std::fabs(value), exponent), value);
}

SPoint3 RingVertex(const SBodyShape& shape, const SRing& ring, int side)
{
    const double angle = M_PI / 2 - 2 * M_PI * side / shape.sides;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    // Exact zeros keep the ridge and belly vertices on the centre plane.
    const double x = std::fabs(c) < 1e-9 ? 0.0 : ring.halfWidth * SignedPower(c, shape.fullness);
    const double centre = (ring.top + ring.bottom) / 2;
    const double half = (ring.top - ring.bottom) / 2;
    const double z = std::fabs(s) < 1e-9 ? centre : centre + half * SignedPower(s, shape.fullness);
    return SPoint3{x, ring.y, z};
}

SPoint3 RingCentre(const SRing& ring)
{
    return SPoint3{0, ring.y, (ring.top + ring.bottom) / 2};
}

void AddFin(CMeshBuilder& mesh, const SSkinRegion& region, const std::vector<SFinRay>& fin,
            const std::vector<int>& ringStarts, int side)
{
    std::vector<int> tips;
    for (const SFinRay& ray : fin)
        tips.push_back(mesh.AddVertex(SPoint3{0, ray.y, ray.z}, region));
    for (size_t k = 0; k + 1 < fin.size(); ++k) {
        const int base0 = ringStarts[fin[k].ring] + side;
        const int base1 = ringStarts[fin[k + 1].ring] + side;
        mesh.AddTwoSidedTriangle(base0, base1, tips[k + 1]);
        mesh.AddTwoSidedTriangle(base0, tips[k + 1], tips[k]);
    }
}

// Distance in the side view (y, z) from a point to a polyline.
double DistanceToPolyline(const std::vector<SPoint3>& line, double y, double z)
{
    double best = std::numeric_limits<double>::max();
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        const double dy = line[i + 1].y - line[i].y;
        const double dz = line[i + 1].z - line[i].z;
        const double length2 = dy * dy + dz * dz;
        double t = length2 > 0 ? ((y - line[i].y) * dy + (z - line[i].z) * dz) / length2 : 0;
        t = std::fmax(0.0, std::fmin(1.0, t));
        best = std::fmin(best, std::hypot(y - line[i].y - t * dy, z - line[i].z - t * dz));
    }
    return best;
}

}  // namespace

SRing SBodyShape::ProfileAt(double y) const
{
    std::vector<SRing> outline;
    outline.push_back(SRing{tail.y, tail.z, tail.z, 0});
    outline.insert(outline.end(), rings.begin(), rings.end());
    outline.push_back(SRing{nose.y, nose.z, nose.z, 0});
    y = std::fmax(tail.y, std::fmin(nose.y, y));
    size_t i = 0;
    while (i + 2 < outline.size() && y > outline[i + 1].y)
        ++i;
    // Cubic Hermite in y, each slope taken across the neighbouring key rings,
    // so the outline passes every key ring without a kink.
    const auto slope = [&](size_t k, double SRing::*field) {
        const size_t before = k == 0 ? 0 : k - 1, after = std::min(k + 1, outline.size() - 1);
        return (outline[after].*field - outline[before].*field) / (outline[after].y - outline[before].y);
    };
    const SRing& a = outline[i];
    const SRing& b = outline[i + 1];
    const double h = b.y - a.y, t = (y - a.y) / h;
    const double h00 = (1 + 2 * t) * (1 - t) * (1 - t), h10 = t * (1 - t) * (1 - t);
    const double h01 = t * t * (3 - 2 * t), h11 = t * t * (t - 1);
    const auto blend = [&](double SRing::*field) {
        return h00 * a.*field + h10 * h * slope(i, field) + h01 * b.*field + h11 * h * slope(i + 1, field);
    };
    SRing ring{y, blend(&SRing::top), blend(&SRing::bottom), std::fmax(0.0, blend(&SRing::halfWidth))};
    ring.top = std::fmax(ring.top, ring.bottom);
    return ring;
}

std::vector<SRing> SBodyShape::GetDrawnRings() const
{
    std::vector<SRing> drawn;
    for (size_t r = 0; r < rings.size(); ++r) {
        drawn.push_back(rings[r]);
        if (r + 1 == rings.size())
            break;
        for (int step = 1; step < ringSteps; ++step)
            drawn.push_back(ProfileAt(Lerp(rings[r].y, rings[r + 1].y, static_cast<double>(step) / ringSteps)));
    }
    return drawn;
}

double SBodyShape::SurfaceX(double y, double z) const
{
    const SRing ring = ProfileAt(y);
    const double half = (ring.top - ring.bottom) / 2;
    const double up = half > 0 ? (z - (ring.top + ring.bottom) / 2) / half : 1;
    if (std::fabs(up) >= 1)
        return 0;
    // The section is |x / w|^(2 / f) + |up|^(2 / f) = 1 (see RingVertex).
    const double power = 2 / fullness;
    return ring.halfWidth * std::pow(1 - std::pow(std::fabs(up), power), 1 / power);
}

SBodyShape::SSidePoint SBodyShape::Locate(double y, double z) const
{
    const double MARGIN = 0.5;  // mesh units of body colour beyond the outline, against bleeding
    const SRing ring = ProfileAt(y);
    const double top = ring.top, bottom = ring.bottom;
    if (z <= top + MARGIN && z >= bottom - MARGIN)
        return SSidePoint{SSidePoint::BODY, Clamp01((z - bottom) / std::fmax(top - bottom, 1e-9)), 0, top - bottom};
    const bool onTop = z > top;
    std::vector<SPoint3> edge;
    for (const SFinRay& ray : onTop ? dorsal : anal)
        edge.push_back(SPoint3{0, ray.y, ray.z});
    const double toEdge = edge.empty() ? 0 : DistanceToPolyline(edge, y, z);
    return SSidePoint{onTop ? SSidePoint::DORSAL : SSidePoint::ANAL, onTop ? 1.0 : 0.0, toEdge, top - bottom};
}

void BuildBody(CMeshBuilder& mesh, const SBodyShape& shape, const SSkinRegion& region)
{
    const int n = shape.sides;
    const std::vector<SRing> rings = shape.GetDrawnRings();
    std::vector<int> ringStarts;
    for (const SRing& ring : rings) {
        ringStarts.push_back(mesh.GetVertexCount());
        for (int side = 0; side < n; ++side)
            mesh.AddVertex(RingVertex(shape, ring, side), region);
    }
    const int tail = mesh.AddVertex(shape.tail, region);
    const int nose = mesh.AddVertex(shape.nose, region);

    for (int side = 0; side < n; ++side) {
        const int next = (side + 1) % n;
        const int first = ringStarts.front();
        mesh.AddTriangleFacingAway(tail, first + side, first + next, RingCentre(rings.front()));
        const int last = ringStarts.back();
        mesh.AddTriangleFacingAway(nose, last + side, last + next, RingCentre(rings.back()));
    }
    for (size_t r = 0; r + 1 < rings.size(); ++r) {
        const SPoint3 a = RingCentre(rings[r]);
        const SPoint3 b = RingCentre(rings[r + 1]);
        const SPoint3 inside{0, (a.y + b.y) / 2, (a.z + b.z) / 2};
        for (int side = 0; side < n; ++side) {
            const int next = (side + 1) % n;
            const int p = ringStarts[r] + side, q = ringStarts[r] + next;
            const int s = ringStarts[r + 1] + side, t = ringStarts[r + 1] + next;
            mesh.AddTriangleFacingAway(p, t, q, inside);
            mesh.AddTriangleFacingAway(p, s, t, inside);
        }
    }
    // Fin rays name key rings; the drawn rings hold ringSteps for each key ring.
    std::vector<int> keyRingStarts;
    for (size_t r = 0; r < shape.rings.size(); ++r)
        keyRingStarts.push_back(ringStarts[r * shape.ringSteps]);
    AddFin(mesh, region, shape.dorsal, keyRingStarts, 0);
    AddFin(mesh, region, shape.anal, keyRingStarts, n / 2);
}
