#pragma once
// A fish model read back from the pack files (.sca node tree, .mod meshes,
// .tga skin) so the preview renderer can pose and draw it the way the show
// does: smoothed corner normals, node axes turned about themselves.
#include <array>
#include <string>
#include <vector>

#include "../Image.h"

using TVec3 = std::array<double, 3>;

struct SPreviewMesh
{
    std::vector<TVec3> positions;
    std::vector<std::array<double, 2>> uvs;
    std::vector<std::array<int, 3>> triangles;
    std::vector<TVec3> normals;  // three per triangle, in corner order
    std::string texture;
};

struct SPreviewNode
{
    std::string name;
    TVec3 restTranslation, scale;
    std::array<TVec3, 3> restAxes;
    std::array<TVec3, 3> axes;  // current pose
    SPreviewMesh mesh;
    std::vector<SPreviewNode> children;

    void ResetTransform() { axes = restAxes; }
    // Turns the pose about its own current axis (0 X, 1 Y, 2 Z).
    void Rotate(int axis, double angle);
};

// Reads node file `name` and its meshes from folder; exits on a broken file,
// since the preview of a broken model has nothing to show.
SPreviewNode LoadPreviewModel(const std::string& folder, const std::string& name);

SPreviewNode* FindNode(SPreviewNode& root, const std::string& name);

// Decodes an uncompressed TGA (24 or 32 bits, or 8-bit colour-mapped;
// bottom-left origin).
CImage LoadTga(const std::string& path);
