#pragma once
// The lofted body of a fish: rings of vertices from the tail root to the
// head, closed by a point at each end, with optional thin fins standing on
// the top ridge (dorsal) and on the belly (anal). The key rings given are
// joined by a smooth spline, so rings drawn between them follow the body's
// curve. Every ring shares its vertices with both neighbouring bands, so the
// loader's normal smoothing rounds the body.
#include <vector>

#include "MeshBuilder.h"

struct SRing
{
    double y, top, bottom, halfWidth;
};

// One fin ray: from the top (or bottom) vertex of a ring to (y, z).
struct SFinRay
{
    int ring;
    double y, z;
};

struct SBodyShape
{
    SPoint3 tail;              // rear end, on the centre plane
    std::vector<SRing> rings;  // key rings from tail to head, y increasing
    SPoint3 nose;
    int sides = 10;               // even: vertex 0 on the back, sides / 2 on the belly
    int ringSteps = 2;            // rings drawn from each key ring to the next (1: the key rings only)
    double fullness = 0.8;        // cross-section exponent: 1 ellipse, below 1 fuller
    std::vector<SFinRay> dorsal;  // rays stand on key rings
    std::vector<SFinRay> anal;

    // The body's section at y, on the spline through the tail, the key rings and the nose.
    SRing ProfileAt(double y) const;
    // The rings the mesh is made of: the key rings and ringSteps - 1 between each two.
    std::vector<SRing> GetDrawnRings() const;
    // How far out the flank is at (y, z): x of the surface, 0 above or below the body.
    double SurfaceX(double y, double z) const;

    // Where a point (y, z) of the side view lies, for the skin painters.
    struct SSidePoint
    {
        enum EPart
        {
            BODY,
            DORSAL,
            ANAL
        } part;
        double height;     // on the body: 0 at the belly, 1 on the back
        double toFinEdge;  // on a fin: distance from its free edge
        double bodyDepth;  // from belly to back at y
    };
    SSidePoint Locate(double y, double z) const;
};

void BuildBody(CMeshBuilder& mesh, const SBodyShape& shape, const SSkinRegion& region);

// A thin sheet spanned by shape(s, t), s from root (0) to tip (1) in `rows`
// steps and t across in `columns` steps; drawn from both sides.
template <typename TShape>
void BuildSheet(CMeshBuilder& mesh, const SSkinRegion& region, int rows, int columns, TShape shape)
{
    const int first = mesh.GetVertexCount();
    for (int r = 0; r <= rows; ++r)
        for (int c = 0; c <= columns; ++c)
            mesh.AddVertex(shape(static_cast<double>(r) / rows, static_cast<double>(c) / columns), region);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const int a = first + r * (columns + 1) + c;
            const int b = a + 1;
            const int d = a + columns + 1;
            mesh.AddTwoSidedTriangle(a, b, d + 1);
            mesh.AddTwoSidedTriangle(a, d + 1, d);
        }
    }
}
