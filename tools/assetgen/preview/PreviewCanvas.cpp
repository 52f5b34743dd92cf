#include "PreviewCanvas.h"

#include <cmath>
#include <limits>

namespace {

using TMatrix = std::array<double, 16>;

const TVec3 LIGHT0{0, 2, 5};
const TVec3 LIGHT1{-3, -2, 4};
const double MATERIAL_AMBIENT = 0.1;
const double MATERIAL_DIFFUSE = 0.6;
const double SCENE_AMBIENT = 0.2;  // GL's default light-model ambient
const double SHININESS = 64;

TMatrix Multiply(const TMatrix& a, const TMatrix& b)
{
    TMatrix out{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k)
                out[4 * c + r] += a[4 * k + r] * b[4 * c + k];
    return out;
}

TMatrix FromAxes(const TVec3& x, const TVec3& y, const TVec3& z, const TVec3& t)
{
    return {x[0], x[1], x[2], 0, y[0], y[1], y[2], 0, z[0], z[1], z[2], 0, t[0], t[1], t[2], 1};
}

TMatrix Scaling(const TVec3& s)
{
    return {s[0], 0, 0, 0, 0, s[1], 0, 0, 0, 0, s[2], 0, 0, 0, 0, 1};
}

TVec3 Transform(const TMatrix& m, const TVec3& p, double w)
{
    return {m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12] * w, m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13] * w,
            m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14] * w};
}

TVec3 Unit(const TVec3& v)
{
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    return length == 0 ? v : TVec3{v[0] / length, v[1] / length, v[2] / length};
}

double Dot(const TVec3& a, const TVec3& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

TVec3 CrossProduct(const TVec3& a, const TVec3& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// Fixed-function lighting of one vertex: light 0 white, light 1 only a cyan
// highlight, viewer at infinity along +z.
TVec3 Light(const TVec3& position, const TVec3& normal)
{
    const TVec3 n = Unit(normal);
    double r = MATERIAL_AMBIENT * (1 + SCENE_AMBIENT), g = r, b = r;
    const TVec3 l0 = Unit({LIGHT0[0] - position[0], LIGHT0[1] - position[1], LIGHT0[2] - position[2]});
    const double d0 = Dot(n, l0);
    if (d0 > 0) {
        r += MATERIAL_DIFFUSE * d0;
        g += MATERIAL_DIFFUSE * d0;
        b += MATERIAL_DIFFUSE * d0;
        const double s = std::pow(std::fmax(0.0, Dot(n, Unit({l0[0], l0[1], l0[2] + 1}))), SHININESS);
        r += s;
        g += s;
        b += s;
    }
    const TVec3 l1 = Unit({LIGHT1[0] - position[0], LIGHT1[1] - position[1], LIGHT1[2] - position[2]});
    if (Dot(n, l1) > 0) {
        const double s = std::pow(std::fmax(0.0, Dot(n, Unit({l1[0], l1[1], l1[2] + 1}))), SHININESS);
        g += s;
        b += s;
    }
    return {Clamp01(r), Clamp01(g), Clamp01(b)};
}

SColor SampleRepeat(const CImage& image, double u, double v)
{
    return image.Sample(u - std::floor(u), v - std::floor(v));
}

}  // namespace

CPreviewCanvas::CPreviewCanvas(const CImage& background, int width, int height)
    : m_image(background.Resized(width, height)),
      m_depth(static_cast<size_t>(width) * height, -std::numeric_limits<double>::max()),
      m_aspect(static_cast<double>(width) / height)
{}

void CPreviewCanvas::DrawFish(SPreviewNode& model, const std::map<std::string, CImage>& skins, const SFishPose& pose)
{
    if (pose.phase >= 0) {
        const double body = 0.1 * std::sin(2 * pose.phase);
        const double sweep = 0.7 * std::sin(0.5 * pose.phase) - 1.0;
        const double twist = 0.5 * std::sin(0.5 * pose.phase + 1.5);
        const double tail = 0.4 * std::sin(2 * pose.phase);
        model.ResetTransform();
        model.Rotate(2, body);
        if (SPreviewNode* left = FindNode(model, "left_plavnik")) {
            left->ResetTransform();
            left->Rotate(2, sweep);
            left->Rotate(0, 0.7);
            left->Rotate(1, twist);
        }
        if (SPreviewNode* right = FindNode(model, "right_plavnik")) {
            right->ResetTransform();
            right->Rotate(2, -sweep);
            right->Rotate(0, 0.7);
            right->Rotate(1, -twist);
        }
        if (SPreviewNode* hvost = FindNode(model, "hvost")) {
            hvost->ResetTransform();
            hvost->Rotate(2, tail);
        }
    }
    // As the show does: the heading as it shows on the picture, the lights
    // and the fish in picture heights across as well as up.
    const TVec3 f = Unit({pose.direction[0] * m_aspect, pose.direction[1], pose.direction[2]});
    const TVec3 s = Unit(CrossProduct(f, pose.up));
    const TVec3 u = Unit(CrossProduct(s, f));
    const TVec3 at{pose.position[0] * m_aspect, pose.position[1], pose.position[2]};
    const TMatrix place = Multiply(FromAxes(s, f, u, at), Scaling({pose.scale, pose.scale, pose.scale}));
    DrawNode(model, place, skins);
}

void CPreviewCanvas::DrawNode(SPreviewNode& node, const TMatrix& parent, const std::map<std::string, CImage>& skins)
{
    const TMatrix frame = Multiply(parent, FromAxes(node.axes[0], node.axes[1], node.axes[2], node.restTranslation));
    const TMatrix meshMatrix = Multiply(frame, Scaling(node.scale));
    const CImage& texture = skins.at(node.mesh.texture);
    for (size_t t = 0; t < node.mesh.triangles.size(); ++t) {
        std::array<TVec3, 3> p, color;
        std::array<std::array<double, 2>, 3> uv;
        for (int c = 0; c < 3; ++c) {
            const int index = node.mesh.triangles[t][c];
            p[c] = Transform(meshMatrix, node.mesh.positions[index], 1);
            color[c] = Light(p[c], Transform(meshMatrix, node.mesh.normals[3 * t + c], 0));
            uv[c] = node.mesh.uvs[index];
        }
        DrawTriangle(p, color, uv, texture);
    }
    for (SPreviewNode& child : node.children)
        DrawNode(child, frame, skins);
}

void CPreviewCanvas::DrawTriangle(const std::array<TVec3, 3>& p, const std::array<TVec3, 3>& color,
                                  const std::array<std::array<double, 2>, 3>& uv, const CImage& texture)
{
    const int width = m_image.GetWidth(), height = m_image.GetHeight();
    double sx[3], sy[3];
    for (int c = 0; c < 3; ++c) {
        sx[c] = p[c][0] * height;
        sy[c] = p[c][1] * height;
    }
    const double area = (sx[1] - sx[0]) * (sy[2] - sy[0]) - (sx[2] - sx[0]) * (sy[1] - sy[0]);
    if (area <= 0)
        return;  // back face or edge-on
    const int x0 = std::max(0, static_cast<int>(std::floor(std::fmin(sx[0], std::fmin(sx[1], sx[2])))));
    const int x1 = std::min(width - 1, static_cast<int>(std::ceil(std::fmax(sx[0], std::fmax(sx[1], sx[2])))));
    const int y0 = std::max(0, static_cast<int>(std::floor(std::fmin(sy[0], std::fmin(sy[1], sy[2])))));
    const int y1 = std::min(height - 1, static_cast<int>(std::ceil(std::fmax(sy[0], std::fmax(sy[1], sy[2])))));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double w0 = ((sx[1] - px) * (sy[2] - py) - (sx[2] - px) * (sy[1] - py)) / area;
            const double w1 = ((sx[2] - px) * (sy[0] - py) - (sx[0] - px) * (sy[2] - py)) / area;
            const double w2 = 1 - w0 - w1;
            if (w0 < 0 || w1 < 0 || w2 < 0)
                continue;
            const double z = w0 * p[0][2] + w1 * p[1][2] + w2 * p[2][2];
            double& depth = m_depth[static_cast<size_t>(y) * width + x];
            if (z < depth)
                continue;
            depth = z;
            const SColor texel = SampleRepeat(texture, w0 * uv[0][0] + w1 * uv[1][0] + w2 * uv[2][0],
                                              w0 * uv[0][1] + w1 * uv[1][1] + w2 * uv[2][1]);
            const SColor lit{texel.r * (w0 * color[0][0] + w1 * color[1][0] + w2 * color[2][0]),
                             texel.g * (w0 * color[0][1] + w1 * color[1][1] + w2 * color[2][1]),
                             texel.b * (w0 * color[0][2] + w1 * color[1][2] + w2 * color[2][2]), texel.a};
            m_image.Blend(x, y, lit, 1);
        }
    }
}

void CPreviewCanvas::AddSprite(const CImage& sprite, double x, double y, double size, double gain)
{
    const int width = m_image.GetWidth(), height = m_image.GetHeight();
    // The size is measured in picture heights, across as well as up.
    const double left = x * width - size * height, bottom = (y - size) * height, edge = 2 * size * height;
    const int px0 = static_cast<int>(left), px1 = static_cast<int>(left + edge);
    const int py0 = static_cast<int>(bottom), py1 = static_cast<int>(bottom + edge);
    for (int py = std::max(0, py0); py <= std::min(height - 1, py1); ++py) {
        for (int px = std::max(0, px0); px <= std::min(width - 1, px1); ++px) {
            const double u = (px + 0.5 - left) / edge;
            const double v = (py + 0.5 - bottom) / edge;
            if (u < 0 || u > 1 || v < 0 || v > 1)
                continue;
            const SColor s = sprite.Sample(u, v);
            SColor& d = m_image.At(px, py);
            d.r = Clamp01(d.r + gain * s.r);
            d.g = Clamp01(d.g + gain * s.g);
            d.b = Clamp01(d.b + gain * s.b);
        }
    }
}
