#pragma once
// The scene-node file (.sca) of a fish: a tree of named nodes, each with its
// translation in the parent's frame, the common scale of 0.005 (mesh units to
// model units), an identity rotation and its mesh file.
#include <string>
#include <vector>

struct SNode
{
    std::string name;
    double x, y, z;
    std::string model;
    std::vector<SNode> children;
};

// Lines end in CR LF; children are indented under their parent.
std::string EncodeNodeFile(const SNode& root);
