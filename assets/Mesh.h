#pragma once
// One node of a fish model: a name, a rest transform from the node file, the
// current transform the actor poses every frame, a textured triangle mesh read
// from a mesh file and the child nodes. Keeps no animation state of its own;
// the tree is built and owned by CModel.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/Math.h"

class CRecordReader;

struct SVertex
{
    float x, y, z;  // position, in the mesh's own units
    float u, v;     // texture coordinates
};

struct SNormal
{
    float x, y, z;
};

struct STriangle
{
    int32_t vertex[3];  // corners 0, 1, 2 in the vertex array
    int32_t normal[3];  // their normals in the normal array
};

class CMesh
{
public:
    // Far above any fish (the largest has a few hundred triangles): what a
    // damaged file can make the loader read, allocate and smooth.
    static const int32_t MAX_TRIANGLES = 2048;
    static const int32_t MAX_VERTICES = 3 * MAX_TRIANGLES;

    CMesh();
    virtual ~CMesh();
    CMesh(const CMesh&) = delete;
    CMesh& operator=(const CMesh&) = delete;

    // Called by the node parser: reads the mesh file of that pack entry into
    // this node, binds its texture and computes the normals. False on any failure.
    bool Load(const char* entryName);
    // Called by the actor before posing: the current transform becomes the rest one. Always true.
    bool ResetTransform();
    // Turns the current axes about the node's own current axis 0 (X), 1 (Y)
    // or 2 (Z) by angle radians; any other axis changes nothing and gives false.
    bool Rotate(int axis, float angle);
    // Called by CModel::Draw: draws the mesh with the current GL matrix, all
    // its triangles in one batch. Always true.
    bool Render() const;

    // Set by the node parser before Load.
    void SetName(const std::string& name) { m_name = name; }
    void SetRestTransform(const SVector3& translation, const SVector3& scale, const SVector3 axes[3]);
    void AddChild(std::unique_ptr<CMesh> child);

    const std::string& GetName() const { return m_name; }
    const SVector3& GetTranslation() const { return m_translation; }
    const SVector3& GetScale() const { return m_scale; }
    // Current axis 0 (X), 1 (Y) or 2 (Z), in the parent's frame.
    const SVector3& GetAxis(int axis) const;
    uint32_t GetTexture() const { return m_texture; }
    size_t GetVertexCount() const { return m_vertices.size(); }
    size_t GetTriangleCount() const { return m_triangles.size(); }
    size_t GetChildCount() const { return m_children.size(); }
    // The elements of the arrays; an index outside raises the invalid-argument failure.
    const SVertex& GetVertex(int32_t index) const;
    const SNormal& GetNormal(int32_t index) const;
    const STriangle& GetTriangle(int32_t index) const;
    CMesh& GetChild(size_t index) const;

private:
    // A corner as the draw arrays hold it, in GL_T2F_N3F_V3F order.
    struct SCorner
    {
        float u, v;
        float nx, ny, nz;
        float x, y, z;
    };

    bool ReadMesh(CRecordReader& reader);
    void ComputeNormals();
    void SmoothNormals();
    void SmoothPair(size_t j, size_t k);
    void BuildCorners();

    std::string m_name;
    SVector3 m_restTranslation, m_restScale, m_restAxes[3];
    SVector3 m_translation, m_scale, m_axes[3];
    std::vector<SVertex> m_vertices;
    std::vector<SNormal> m_normals;
    std::vector<STriangle> m_triangles;
    // What Render draws: corners of one vertex with one normal are shared, so
    // the driver lights each of them once.
    std::vector<SCorner> m_corners;
    std::vector<uint32_t> m_cornerIndices;  // three per triangle
    std::vector<std::unique_ptr<CMesh>> m_children;
    uint32_t m_texture = 0;
};
