#include "FishModel.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

TVec3 Cross(const TVec3& a, const TVec3& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double Dot(const TVec3& a, const TVec3& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

TVec3 Normalised(const TVec3& v)
{
    const double length = std::sqrt(Dot(v, v));
    return length == 0 ? v : TVec3{v[0] / length, v[1] / length, v[2] / length};
}

TVec3 Minus(const TVec3& a, const TVec3& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "preview: %s\n", what.c_str());
    std::exit(1);
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        Fail("cannot read " + path);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

// Flat normals, then the sums across corners at equal positions, as the
// show's loader smooths them.
void ComputeNormals(SPreviewMesh& mesh)
{
    const size_t count = mesh.triangles.size();
    for (const auto& t : mesh.triangles) {
        const TVec3& p0 = mesh.positions[t[0]];
        const TVec3& p1 = mesh.positions[t[1]];
        const TVec3& p2 = mesh.positions[t[2]];
        const TVec3 n = Normalised(Cross(Minus(p2, p1), Minus(p0, p1)));
        for (int c = 0; c < 3; ++c)
            mesh.normals.push_back(n);
    }
    for (size_t j = 0; j < count; ++j) {
        for (size_t k = 0; k < count; ++k) {
            if (k == j)
                continue;
            for (int c = 0; c < 3; ++c) {
                for (int d = 0; d < 3; ++d) {
                    if (mesh.positions[mesh.triangles[j][c]] != mesh.positions[mesh.triangles[k][d]])
                        continue;
                    TVec3& a = mesh.normals[3 * j + c];
                    TVec3& b = mesh.normals[3 * k + d];
                    if (Dot(Normalised(a), Normalised(b)) > 0) {
                        const TVec3 sum{a[0] + b[0], a[1] + b[1], a[2] + b[2]};
                        a = sum;
                        b = sum;
                    }
                    break;
                }
            }
        }
    }
    for (TVec3& n : mesh.normals)
        n = Normalised(n);
}

SPreviewMesh LoadMesh(const std::string& path)
{
    const std::vector<std::string> lines = ReadLines(path);
    SPreviewMesh mesh;
    std::istringstream header(lines.at(0));
    std::string keyword, name;
    int vertices = 0, triangles = 0;
    header >> keyword >> name >> vertices >> triangles;
    std::istringstream(lines.at(1)) >> keyword >> mesh.texture;
    size_t line = 3;
    for (int i = 0; i < vertices; ++i) {
        std::istringstream in(lines.at(line++));
        TVec3 p;
        std::array<double, 2> uv;
        in >> p[0] >> p[1] >> p[2] >> uv[0] >> uv[1];
        // The show reads single-precision floats; compare positions as it does.
        for (double& value : p)
            value = static_cast<float>(value);
        mesh.positions.push_back(p);
        mesh.uvs.push_back(uv);
    }
    ++line;
    for (int i = 0; i < triangles; ++i) {
        std::istringstream in(lines.at(line++));
        std::array<int, 3> t;
        in >> t[0] >> t[1] >> t[2];
        for (int index : t)
            if (index < 0 || index >= vertices)
                Fail("corner out of range in " + path);
        mesh.triangles.push_back(t);
    }
    ComputeNormals(mesh);
    return mesh;
}

SPreviewNode ParseNode(const std::string& folder, const std::vector<std::string>& lines, size_t& line)
{
    SPreviewNode node;
    std::string keyword, model;
    int children = 0;
    std::istringstream(lines.at(line++)) >> keyword >> node.name;
    std::istringstream(lines.at(line++)) >> keyword >> node.restTranslation[0] >> node.restTranslation[1] >>
        node.restTranslation[2];
    std::istringstream(lines.at(line++)) >> keyword >> node.scale[0] >> node.scale[1] >> node.scale[2];
    std::istringstream rotation(lines.at(line++));
    rotation >> keyword;
    for (TVec3& axis : node.restAxes)
        rotation >> axis[0] >> axis[1] >> axis[2];
    std::istringstream(lines.at(line++)) >> keyword >> model;
    std::istringstream(lines.at(line++)) >> keyword >> children;
    node.mesh = LoadMesh(folder + "/" + model);
    node.axes = node.restAxes;
    for (int i = 0; i < children; ++i)
        node.children.push_back(ParseNode(folder, lines, line));
    return node;
}

}  // namespace

void SPreviewNode::Rotate(int axis, double angle)
{
    const TVec3 a = axes[axis];
    const double c = std::cos(angle), s = std::sin(angle);
    for (TVec3& v : axes) {
        // Rodrigues' formula: the same right-handed turn as the GL rotate matrix.
        const TVec3 cross = Cross(a, v);
        const double dot = Dot(a, v);
        v = {v[0] * c + cross[0] * s + a[0] * dot * (1 - c), v[1] * c + cross[1] * s + a[1] * dot * (1 - c),
             v[2] * c + cross[2] * s + a[2] * dot * (1 - c)};
    }
    axes[0] = Normalised(axes[0]);
    axes[1] = Normalised(Cross(axes[2], axes[0]));
    axes[2] = Normalised(Cross(axes[0], axes[1]));
}

SPreviewNode LoadPreviewModel(const std::string& folder, const std::string& name)
{
    const std::vector<std::string> lines = ReadLines(folder + "/" + name);
    size_t line = 0;
    return ParseNode(folder, lines, line);
}

SPreviewNode* FindNode(SPreviewNode& root, const std::string& name)
{
    if (root.name == name)
        return &root;
    for (SPreviewNode& child : root.children)
        if (SPreviewNode* found = FindNode(child, name))
            return found;
    return nullptr;
}

CImage LoadTga(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 18)
        Fail("cannot read " + path);
    const int width = bytes[12] | bytes[13] << 8;
    const int height = bytes[14] | bytes[15] << 8;
    const int depth = bytes[16] / 8;
    const bool mapped = bytes[1] != 0;
    const size_t palette = mapped ? 768 : 0;
    if ((depth != 3 && depth != 4 && !(depth == 1 && mapped)) ||
        bytes.size() < 18u + bytes[0] + palette + static_cast<size_t>(width) * height * depth)
        Fail("not a TGA the preview reads: " + path);
    CImage image(width, height);
    const unsigned char* map = bytes.data() + 18 + bytes[0];
    const unsigned char* p = map + palette;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, p += depth) {
            const unsigned char* bgr = mapped ? map + 3 * p[0] : p;
            image.At(x, y) = SColor{bgr[2] / 255.0, bgr[1] / 255.0, bgr[0] / 255.0, depth == 4 ? p[3] / 255.0 : 1.0};
        }
    }
    return image;
}
