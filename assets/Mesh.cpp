#include "assets/Mesh.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "app/Trace.h"
#include "assets/Image.h"
#include "assets/Pack.h"
#include "assets/RecordReader.h"

namespace {

const SVector3 IDENTITY_AXES[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

bool SamePosition(const SVertex& a, const SVertex& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// A position that is not a number equals no other, not even itself.
bool IsComparable(const SVertex& p)
{
    return !std::isnan(p.x) && !std::isnan(p.y) && !std::isnan(p.z);
}

SVector3 ToVector(const SNormal& n)
{
    return {n.x, n.y, n.z};
}

// An element of one of the mesh's arrays; an index from outside the array is
// a fault of the mesh data, raised as an invalid argument.
template <class T>
const T& CheckedAt(const std::vector<T>& items, int32_t index)
{
    if (index < 0 || static_cast<size_t>(index) >= items.size())
        RaiseInvalidArgument();
    return items[index];
}

}  // namespace

CMesh::CMesh()
    : m_restTranslation{0, 0, 0}, m_restScale{1, 1, 1}, m_restAxes{IDENTITY_AXES[0], IDENTITY_AXES[1], IDENTITY_AXES[2]}
{
    ResetTransform();
}

// Children go first, then the arrays and the name.
CMesh::~CMesh()
{
    m_children.clear();
}

void CMesh::SetRestTransform(const SVector3& translation, const SVector3& scale, const SVector3 axes[3])
{
    m_restTranslation = translation;
    m_restScale = scale;
    for (int i = 0; i < 3; ++i)
        m_restAxes[i] = axes[i];
}

void CMesh::AddChild(std::unique_ptr<CMesh> child)
{
    m_children.push_back(std::move(child));
}

bool CMesh::Load(const char* entryName)
{
    try {
        m_vertices.clear();
        m_normals.clear();
        m_triangles.clear();
        m_corners.clear();
        m_cornerIndices.clear();
        const uint8_t* data = nullptr;
        uint32_t size = 0;
        if (!FindPackItem(entryName, &data, &size))
            return false;
        CRecordReader reader(data, size);
        if (!ReadMesh(reader))
            return false;
        ComputeNormals();
        BuildCorners();
        ResetTransform();
        return true;
    } catch (...) {
        return false;
    }
}

// Records are known by their place in the file; keywords are never compared.
// A missing line fails the load rather than leave a record half made.
bool CMesh::ReadMesh(CRecordReader& reader)
{
    int32_t counts[2] = {0, 0};  // vertices, triangles
    if (!reader.ReadRecord())
        return false;
    reader.ScanInts(2, 2, counts);
    if (counts[0] > MAX_VERTICES || counts[1] > MAX_TRIANGLES)
        return false;

    if (!reader.ReadRecord())
        return false;
    GLuint texture = 0;
    const int bound = BindImage(reader.GetField(1).c_str(), texture, true, GL_REPEAT);
    m_texture = texture;
    if (!bound)
        return false;

    if (!reader.ReadRecord())
        return false;
    for (int32_t i = 0; i < counts[0]; ++i) {
        if (!reader.ReadRecord())
            return false;
        float fields[5] = {0, 0, 0, 0, 0};
        reader.ScanFloats(0, 5, fields);
        m_vertices.push_back({fields[0], fields[1], fields[2], fields[3], fields[4]});
    }

    if (!reader.ReadRecord())
        return false;
    for (int32_t i = 0; i < counts[1]; ++i) {
        if (!reader.ReadRecord())
            return false;
        STriangle triangle = {{0, 0, 0}, {0, 0, 0}};
        reader.ScanInts(0, 3, triangle.vertex);
        m_triangles.push_back(triangle);
    }
    return true;
}

// Every corner gets its triangle's own face normal; a vertex index outside
// the vertex array raises here and fails the load.
void CMesh::ComputeNormals()
{
    m_normals.reserve(m_triangles.size() * 3);
    for (size_t i = 0; i < m_triangles.size(); ++i) {
        STriangle& triangle = m_triangles[i];
        const SVertex& p0 = GetVertex(triangle.vertex[0]);
        const SVertex& p1 = GetVertex(triangle.vertex[1]);
        const SVertex& p2 = GetVertex(triangle.vertex[2]);
        const SVector3 toP2 = {p2.x - p1.x, p2.y - p1.y, p2.z - p1.z};
        const SVector3 toP0 = {p0.x - p1.x, p0.y - p1.y, p0.z - p1.z};
        SVector3 n;
        VecCross(toP2, toP0, n);
        VecNormalize(n);
        for (int corner = 0; corner < 3; ++corner) {
            triangle.normal[corner] = static_cast<int32_t>(m_normals.size());
            m_normals.push_back({n.x, n.y, n.z});
        }
    }
    SmoothNormals();
    for (SNormal& normal : m_normals) {
        SVector3 v = ToVector(normal);
        VecNormalize(v);
        normal = {v.x, v.y, v.z};
    }
}

// Corners at the same position (seam duplicates included) whose normals lie
// within 90 degrees of each other are summed pairwise, in triangle order; the
// sums build up as the loops go on, which shapes the look of the fish.
void CMesh::SmoothNormals()
{
    // Only triangles with a corner at one of j's positions can share one with
    // it: visiting just those, still in triangle order, sums the same as
    // visiting all, without the time that grows with the square of the mesh.
    std::map<std::tuple<float, float, float>, std::vector<size_t>> atPosition;
    for (size_t t = 0; t < m_triangles.size(); ++t)
        for (int c = 0; c < 3; ++c) {
            const SVertex& p = GetVertex(m_triangles[t].vertex[c]);
            if (IsComparable(p)) {
                std::vector<size_t>& triangles = atPosition[{p.x, p.y, p.z}];
                if (triangles.empty() || triangles.back() != t)
                    triangles.push_back(t);
            }
        }
    std::vector<size_t> neighbours;
    for (size_t j = 0; j < m_triangles.size(); ++j) {
        neighbours.clear();
        for (int c = 0; c < 3; ++c) {
            const SVertex& p = GetVertex(m_triangles[j].vertex[c]);
            if (IsComparable(p)) {
                const std::vector<size_t>& triangles = atPosition[{p.x, p.y, p.z}];
                neighbours.insert(neighbours.end(), triangles.begin(), triangles.end());
            }
        }
        std::sort(neighbours.begin(), neighbours.end());
        neighbours.erase(std::unique(neighbours.begin(), neighbours.end()), neighbours.end());
        for (size_t k : neighbours)
            if (k != j)
                SmoothPair(j, k);
    }
}

void CMesh::SmoothPair(size_t j, size_t k)
{
    for (int c = 0; c < 3; ++c) {
        const SVertex& position = GetVertex(m_triangles[j].vertex[c]);
        int d = 0;
        while (d < 3 && !SamePosition(GetVertex(m_triangles[k].vertex[d]), position))
            ++d;
        if (d == 3)
            continue;
        SNormal& a = m_normals[m_triangles[j].normal[c]];
        SNormal& b = m_normals[m_triangles[k].normal[d]];
        SVector3 unitA = ToVector(a), unitB = ToVector(b);
        VecNormalize(unitA);
        VecNormalize(unitB);
        if (VecDot(unitA, unitB) > 0.0f) {
            const SNormal sum = {a.x + b.x, a.y + b.y, a.z + b.z};
            a = sum;
            b = sum;
        }
    }
}

void CMesh::BuildCorners()
{
    std::map<std::tuple<int32_t, float, float, float>, uint32_t> shared;
    m_cornerIndices.reserve(m_triangles.size() * 3);
    for (const STriangle& triangle : m_triangles)
        for (int corner = 0; corner < 3; ++corner) {
            const SVertex& v = GetVertex(triangle.vertex[corner]);
            const SNormal& n = GetNormal(triangle.normal[corner]);
            const auto [at, added] =
                shared.try_emplace({triangle.vertex[corner], n.x, n.y, n.z}, static_cast<uint32_t>(m_corners.size()));
            if (added)
                m_corners.push_back({v.u, v.v, n.x, n.y, n.z, v.x, v.y, v.z});
            m_cornerIndices.push_back(at->second);
        }
}

bool CMesh::ResetTransform()
{
    m_translation = m_restTranslation;
    m_scale = m_restScale;
    for (int i = 0; i < 3; ++i)
        m_axes[i] = m_restAxes[i];
    return true;
}

// Turning about the node's own axis composes with earlier turns; the axes are
// made orthonormal again (Y from Z and X) so that rounding never skews the node.
bool CMesh::Rotate(int axis, float angle)
{
    if (axis < 0 || axis > 2)
        return false;
    float rotation[16];
    MatAxisAngle(m_axes[axis], angle, rotation);
    SVector3& x = m_axes[0];
    SVector3& y = m_axes[1];
    SVector3& z = m_axes[2];
    const SVector3 oldX = x, oldZ = z;
    MatRotateVector(oldX, rotation, x);
    MatRotateVector(oldZ, rotation, z);
    VecNormalize(x);
    VecCross(z, x, y);
    VecNormalize(y);
    VecCross(x, y, z);
    VecNormalize(z);
    return true;
}

bool CMesh::Render() const
{
    glPushAttrib(GL_ENABLE_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, m_corners.data());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(m_cornerIndices.size()), GL_UNSIGNED_INT, m_cornerIndices.data());
    glPopClientAttrib();
    glPopAttrib();
    return true;
}

const SVector3& CMesh::GetAxis(int axis) const
{
    if (axis < 0 || axis > 2)
        RaiseInvalidArgument();
    return m_axes[axis];
}

const SVertex& CMesh::GetVertex(int32_t index) const
{
    return CheckedAt(m_vertices, index);
}

const SNormal& CMesh::GetNormal(int32_t index) const
{
    return CheckedAt(m_normals, index);
}

const STriangle& CMesh::GetTriangle(int32_t index) const
{
    return CheckedAt(m_triangles, index);
}

CMesh& CMesh::GetChild(size_t index) const
{
    if (index >= m_children.size())
        RaiseInvalidArgument();
    return *m_children[index];
}
