#include "MeshBuilder.h"

#include <cstdio>
#include <stdexcept>

namespace {

SPoint3 Sub(const SPoint3& a, const SPoint3& b)
{
    return SPoint3{a.x - b.x, a.y - b.y, a.z - b.z};
}

SPoint3 Cross(const SPoint3& a, const SPoint3& b)
{
    return SPoint3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Dot(const SPoint3& a, const SPoint3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

}  // namespace

void SSkinRegion::ToUv(double y, double z, double& u, double& v) const
{
    const double tx = x0 + 0.5 + (y - yMin) / (yMax - yMin) * (x1 - x0 - 1);
    const double ty = y0 + 0.5 + (z - zMin) / (zMax - zMin) * (y1 - y0 - 1);
    u = tx / SKIN_SIZE;
    v = ty / SKIN_SIZE;
}

void SSkinRegion::ToMesh(int tx, int ty, double& y, double& z) const
{
    y = yMin + static_cast<double>(tx - x0) / (x1 - x0 - 1) * (yMax - yMin);
    z = zMin + static_cast<double>(ty - y0) / (y1 - y0 - 1) * (zMax - zMin);
}

int CMeshBuilder::AddVertex(const SPoint3& p, const SSkinRegion& region)
{
    SVertex vertex{p, 0, 0};
    region.ToUv(p.y, p.z, vertex.u, vertex.v);
    m_vertices.push_back(vertex);
    return static_cast<int>(m_vertices.size()) - 1;
}

void CMeshBuilder::AddTriangle(int a, int b, int c)
{
    const int count = GetVertexCount();
    if (a < 0 || b < 0 || c < 0 || a >= count || b >= count || c >= count)
        throw std::out_of_range("triangle corner outside the vertex list");
    m_triangles.push_back(STriangle{a, b, c});
}

void CMeshBuilder::AddTriangleFacingAway(int a, int b, int c, const SPoint3& inside)
{
    const SPoint3& p0 = GetPosition(a);
    const SPoint3 normal = Cross(Sub(GetPosition(b), p0), Sub(GetPosition(c), p0));
    const SPoint3 centre{(p0.x + GetPosition(b).x + GetPosition(c).x) / 3,
                         (p0.y + GetPosition(b).y + GetPosition(c).y) / 3,
                         (p0.z + GetPosition(b).z + GetPosition(c).z) / 3};
    if (Dot(normal, Sub(centre, inside)) >= 0)
        AddTriangle(a, b, c);
    else
        AddTriangle(a, c, b);
}

void CMeshBuilder::AddTwoSidedTriangle(int a, int b, int c)
{
    AddTriangle(a, b, c);
    AddTriangle(a, c, b);
}

std::string CMeshBuilder::Encode(const std::string& objectName, const std::string& textureName) const
{
    std::string text;
    char line[160];
    std::snprintf(line, sizeof line, "OBJECT %s %d %d\r\n", objectName.c_str(), GetVertexCount(), GetTriangleCount());
    text += line;
    text += "TEXTURE " + textureName + "\r\n";
    text += "VERTICES\r\n";
    for (const SVertex& v : m_vertices) {
        std::snprintf(line, sizeof line, "%.3f %.3f %.3f %.5f %.5f\r\n", v.p.x, v.p.y, v.p.z, v.u, v.v);
        text += line;
    }
    text += "TRIANGLES\r\n";
    for (const STriangle& t : m_triangles) {
        std::snprintf(line, sizeof line, "%d %d %d\r\n", t.a, t.b, t.c);
        text += line;
    }
    return text;
}
