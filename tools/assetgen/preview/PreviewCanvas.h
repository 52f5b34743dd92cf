#pragma once
// A small software stand-in for the show's fish stage: the unit box (x, y
// across and up, larger z nearer) on a picture, the fish drawn in their own
// proportions whatever the picture's shape, two lights and the material of
// the show, textures modulated by the lit colour, alpha blending, depth test
// and back faces culled. Used to preview fish and to compose stills.
#include <map>
#include <string>
#include <vector>

#include "FishModel.h"

struct SFishPose
{
    TVec3 position;   // unit box
    TVec3 direction;  // of travel, in the unit box
    double scale;     // the kind's k times (z + 0.5)
    double phase;     // swimming cycle, radians; < 0 leaves the rest pose
    // The fish's back turns towards this, as far as its heading lets it: the
    // show's (0, 1, 0), or the viewer's (0, 0, 1) for a view from above.
    TVec3 up = {0, 1, 0};
};

class CPreviewCanvas
{
public:
    // background is stretched over the canvas; width and height in pixels.
    CPreviewCanvas(const CImage& background, int width, int height);

    void DrawFish(SPreviewNode& model, const std::map<std::string, CImage>& skins, const SFishPose& pose);
    // A round bubble sprite added to the picture, as the show blends bubbles.
    void AddSprite(const CImage& sprite, double x, double y, double size, double gain);

    const CImage& GetImage() const { return m_image; }

private:
    using TMatrix = std::array<double, 16>;  // column-major, as GL takes it

    void DrawNode(SPreviewNode& node, const TMatrix& parent, const std::map<std::string, CImage>& skins);
    void DrawTriangle(const std::array<TVec3, 3>& p, const std::array<TVec3, 3>& color,
                      const std::array<std::array<double, 2>, 3>& uv, const CImage& texture);

    CImage m_image;
    std::vector<double> m_depth;
    double m_aspect;  // width over height: the fish are drawn in heights across as well as up
};
