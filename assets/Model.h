#pragma once
// A fish model: the tree of nodes read from a scene-node file in the pack,
// each node with its own mesh. One per fish kind, loaded once and shared by
// every fish of the kind, which poses the nodes right before drawing it.
#include <memory>

#include "assets/Mesh.h"

class CModel
{
public:
    // Loads the tree from the node file of that pack entry. False when the
    // entry is missing or any node or mesh fails; the model then has no root.
    bool Load(const char* entryName);
    // 1 once a load found its file and parsed it, successfully or not.
    int IsLoadAttempted() const { return m_loadAttempted; }
    // The first node of that name in any case, parents before children; null if none.
    CMesh* FindNode(const char* name) const;
    // Draws the tree with the current GL matrix; false when there is no root.
    bool Draw() const;

private:
    std::unique_ptr<CMesh> ParseNode(CRecordReader& reader, int depth);

    std::unique_ptr<CMesh> m_root;
    int m_loadAttempted = 0;
};
