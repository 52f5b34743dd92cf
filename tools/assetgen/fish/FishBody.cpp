#include "FishBody.h"

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

void SBodyShape::GetProfile(double y, double& top, double& bottom) const
{
    std::vector<SRing> outline;
    outline.push_back(SRing{tail.y, tail.z, tail.z, 0});
    outline.insert(outline.end(), rings.begin(), rings.end());
    outline.push_back(SRing{nose.y, nose.z, nose.z, 0});
    y = std::fmax(tail.y, std::fmin(nose.y, y));
    for (size_t i = 0; i + 1 < outline.size(); ++i) {
        const SRing& a = outline[i];
        const SRing& b = outline[i + 1];
        if (y <= b.y) {
            const double t = (y - a.y) / (b.y - a.y);
            top = a.top + (b.top - a.top) * t;
            bottom = a.bottom + (b.bottom - a.bottom) * t;
            return;
        }
    }
    top = bottom = nose.z;
}

SBodyShape::SSidePoint SBodyShape::Locate(double y, double z) const
{
    const double MARGIN = 0.5;  // mesh units of body colour beyond the outline, against bleeding
    double top, bottom;
    GetProfile(y, top, bottom);
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
    std::vector<int> ringStarts;
    for (const SRing& ring : shape.rings) {
        ringStarts.push_back(mesh.GetVertexCount());
        for (int side = 0; side < n; ++side)
            mesh.AddVertex(RingVertex(shape, ring, side), region);
    }
    const int tail = mesh.AddVertex(shape.tail, region);
    const int nose = mesh.AddVertex(shape.nose, region);

    for (int side = 0; side < n; ++side) {
        const int next = (side + 1) % n;
        const int first = ringStarts.front();
        mesh.AddTriangleFacingAway(tail, first + side, first + next, RingCentre(shape.rings.front()));
        const int last = ringStarts.back();
        mesh.AddTriangleFacingAway(nose, last + side, last + next, RingCentre(shape.rings.back()));
    }
    for (size_t r = 0; r + 1 < shape.rings.size(); ++r) {
        const SPoint3 a = RingCentre(shape.rings[r]);
        const SPoint3 b = RingCentre(shape.rings[r + 1]);
        const SPoint3 inside{0, (a.y + b.y) / 2, (a.z + b.z) / 2};
        for (int side = 0; side < n; ++side) {
            const int next = (side + 1) % n;
            const int p = ringStarts[r] + side, q = ringStarts[r] + next;
            const int s = ringStarts[r + 1] + side, t = ringStarts[r + 1] + next;
            mesh.AddTriangleFacingAway(p, t, q, inside);
            mesh.AddTriangleFacingAway(p, s, t, inside);
        }
    }
    AddFin(mesh, region, shape.dorsal, ringStarts, 0);
    AddFin(mesh, region, shape.anal, ringStarts, n / 2);
}
