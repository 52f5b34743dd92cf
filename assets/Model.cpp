#include "assets/Model.h"

#include <GL/gl.h>

#include "assets/Pack.h"
#include "assets/RecordReader.h"

namespace {

// Deeper trees than this are refused rather than risk the stack; the fish
// have two levels.
const int MAX_NODE_DEPTH = 32;

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Node names are ASCII; other bytes must match exactly.
bool EqualNoCase(const std::string& a, const char* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return i == a.size() && !b[i];
}

CMesh* FindInTree(CMesh& node, const char* name)
{
    if (EqualNoCase(node.GetName(), name))
        return &node;
    for (size_t i = 0; i < node.GetChildCount(); ++i)
        if (CMesh* found = FindInTree(node.GetChild(i), name))
            return found;
    return nullptr;
}

// Children see the parent's translation and rotation but not its scale.
bool DrawTree(const CMesh& node)
{
    const SVector3& x = node.GetAxis(0);
    const SVector3& y = node.GetAxis(1);
    const SVector3& z = node.GetAxis(2);
    const SVector3& t = node.GetTranslation();
    const SVector3& s = node.GetScale();
    const float matrix[16] = {x.x, x.y, x.z, 0, y.x, y.y, y.z, 0, z.x, z.y, z.z, 0, t.x, t.y, t.z, 1};
    glPushMatrix();
    glMultMatrixf(matrix);
    glPushMatrix();
    glScalef(s.x, s.y, s.z);
    bool drawn = node.Render();
    glPopMatrix();
    for (size_t i = 0; i < node.GetChildCount(); ++i)
        drawn = DrawTree(node.GetChild(i)) && drawn;
    glPopMatrix();
    return drawn;
}

}  // namespace

bool CModel::Load(const char* entryName)
{
    try {
        const uint8_t* data = nullptr;
        uint32_t size = 0;
        if (!FindPackItem(entryName, &data, &size))
            return false;
        CRecordReader reader(data, size);
        m_root = ParseNode(reader, 0);
        return m_root != nullptr;
    } catch (...) {
        m_root.reset();
        return false;
    }
}

// A node is six records (NODE, TMATRIX, SMATRIX, RMATRIX, MODEL, CHILDS)
// known by position, then its children depth first. Any failure below fails
// every ancestor; the node and the children made so far go with it.
std::unique_ptr<CMesh> CModel::ParseNode(CRecordReader& reader, int depth)
{
    struct SAttemptMark
    {
        int& flag;
        ~SAttemptMark() { flag = 1; }
    } mark{m_loadAttempted};

    if (depth >= MAX_NODE_DEPTH)
        return nullptr;
    auto node = std::make_unique<CMesh>();

    if (!reader.ReadRecord())
        return nullptr;
    node->SetName(reader.GetField(1));

    SVector3 translation = {0, 0, 0}, scale = {1, 1, 1};
    SVector3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    if (!reader.ReadRecord())
        return nullptr;
    reader.ScanFloats(1, 3, &translation.x);
    if (!reader.ReadRecord())
        return nullptr;
    reader.ScanFloats(1, 3, &scale.x);
    if (!reader.ReadRecord())
        return nullptr;
    float rotation[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    reader.ScanFloats(1, 9, rotation);
    for (int i = 0; i < 3; ++i)
        axes[i] = {rotation[3 * i], rotation[3 * i + 1], rotation[3 * i + 2]};
    node->SetRestTransform(translation, scale, axes);

    if (!reader.ReadRecord() || !node->Load(reader.GetField(1).c_str()))
        return nullptr;

    int32_t childCount = 0;
    if (!reader.ReadRecord())
        return nullptr;
    reader.ScanInts(1, 1, &childCount);
    if (childCount < 0)
        return nullptr;
    for (int32_t i = 0; i < childCount; ++i) {
        std::unique_ptr<CMesh> child = ParseNode(reader, depth + 1);
        if (!child)
            return nullptr;
        node->AddChild(std::move(child));
    }
    return node;
}

CMesh* CModel::FindNode(const char* name) const
{
    if (!m_root || !name)
        return nullptr;
    return FindInTree(*m_root, name);
}

bool CModel::Draw() const
{
    if (!m_root)
        return false;
    return DrawTree(*m_root);
}
