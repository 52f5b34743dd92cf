#pragma once
// Builds one mesh file (.mod): positions in mesh units (Y tail to head, Z up,
// X to the fish's right), texture coordinates, triangles whose corners run
// counter-clockwise seen from outside. Thin fins get both windings, so they
// show from either side although the renderer culls back faces.
#include <string>
#include <vector>

// Skins are square, this many texels a side.
const int SKIN_SIZE = 128;

struct SPoint3
{
    double x = 0, y = 0, z = 0;
};

// A side view of part of the fish (mesh y, z) laid onto a rectangle of skin
// texels [x0, x1) x [y0, y1), row 0 at the bottom. Both sides of the fish see
// the same texels, so a vertex needs no seam copy.
struct SSkinRegion
{
    double yMin, yMax, zMin, zMax;
    int x0, y0, x1, y1;

    void ToUv(double y, double z, double& u, double& v) const;
    // Mesh (y, z) of the centre of texel (tx, ty).
    void ToMesh(int tx, int ty, double& y, double& z) const;
};

class CMeshBuilder
{
public:
    int AddVertex(const SPoint3& p, const SSkinRegion& region);
    // Corners in the given order, which must be counter-clockwise from outside.
    void AddTriangle(int a, int b, int c);
    // Turns the triangle so its front faces away from inside.
    void AddTriangleFacingAway(int a, int b, int c, const SPoint3& inside);
    void AddTwoSidedTriangle(int a, int b, int c);

    const SPoint3& GetPosition(int index) const { return m_vertices[index].p; }
    int GetVertexCount() const { return static_cast<int>(m_vertices.size()); }
    int GetTriangleCount() const { return static_cast<int>(m_triangles.size()); }

    // The .mod text, lines ending in CR LF.
    std::string Encode(const std::string& objectName, const std::string& textureName) const;

private:
    struct SVertex
    {
        SPoint3 p;
        double u, v;
    };
    struct STriangle
    {
        int a, b, c;
    };
    std::vector<SVertex> m_vertices;
    std::vector<STriangle> m_triangles;
};
