// Composes the pictures that show the aquarium outside the show: the preview
// still (bitmap 132, 200 x 150), the program icon (48, 32, 16 and 256 pixels,
// and the 48- and 256-pixel ones as PNGs for the desktop's icon themes), and
// on request a sheet of every fish kind in several poses for checking the
// models by eye. Everything is drawn from the files already in the pack.
//
// usage: coralux_gen_preview RESOURCES_DIR [MODEL_VIEWS_DIR]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <map>

#include "../Bytes.h"
#include "../ImageFiles.h"
#include "../JpegFile.h"
#include "../Prng.h"
#include "PreviewCanvas.h"

namespace {

struct SKind
{
    const char* nodeFile;
    const char* skin;
    double k;  // the show's draw scale factor of the kind
};

const SKind KINDS[] = {{"fish.sca", "fish.tga", 0.15},
                       {"bfish.sca", "bfish.tga", 0.18},
                       {"pfish.sca", "pfish.tga", 0.2},
                       {"sfish.sca", "sfish.tga", 0.1}};
enum
{
    YELLOW,
    BLUE,
    PEARL,
    TINY
};

struct SAquarium
{
    std::vector<SPreviewNode> models;
    std::map<std::string, CImage> skins;
};

SAquarium LoadAquarium(const std::string& pack)
{
    SAquarium aquarium;
    for (const SKind& kind : KINDS) {
        aquarium.models.push_back(LoadPreviewModel(pack, kind.nodeFile));
        aquarium.skins.emplace(kind.skin, LoadTga(pack + "/" + kind.skin));
    }
    return aquarium;
}

SFishPose Pose(int kind, double x, double y, double z, TVec3 direction, double phase)
{
    // Drawn larger than in the show: the still is small.
    return SFishPose{{x, y, z}, direction, 1.4 * KINDS[kind].k * (z + 0.5), phase};
}

CImage Flat(int width, int height, const SColor& color)
{
    CImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.At(x, y) = color;
    return image;
}

// The fan of light rays from the surface, added over the picture as the show
// adds it: 64 rays from a band 1.024 wide at the top to one 2.56 wide at the
// bottom, each as bright as the caustic pattern at its column.
void AddLightRays(CImage& image, const CImage& caustic)
{
    const int RAYS = 64;
    std::vector<double> weight(RAYS);
    for (int i = 0; i < RAYS; ++i) {
        const int column = (3 * i) & 63;
        weight[i] = (caustic.At(column, 32).r + caustic.At(column, 0).r) / 2;
    }
    for (int py = 0; py < image.GetHeight(); ++py) {
        const double y = (py + 0.5) / image.GetHeight();
        const double spacing = Lerp(0.04, 0.016, y);
        const double gain = Lerp(255.0 / 2048, 255.0 / 1024, y);
        for (int px = 0; px < image.GetWidth(); ++px) {
            const double ray = ((px + 0.5) / image.GetWidth() - 0.5) / spacing + 32;
            if (ray < 0 || ray > RAYS - 1)
                continue;
            const int i = std::min(static_cast<int>(ray), RAYS - 2);
            const double add = gain * Lerp(weight[i], weight[i + 1], ray - i);
            SColor& c = image.At(px, py);
            c = SColor{Clamp01(c.r + add), Clamp01(c.g + add), Clamp01(c.b + add), c.a};
        }
    }
}

void WritePreviewStill(const std::string& root, SAquarium& aquarium)
{
    const int SUPERSAMPLE = 4;
    const CImage background = LoadJpeg(root + "/pack/texture/background.jpg");
    const CImage bubble = LoadTga(root + "/pack/texture/grass.tga");
    CPreviewCanvas canvas(background, 200 * SUPERSAMPLE, 150 * SUPERSAMPLE);
    const struct
    {
        int kind;
        SFishPose pose;
    } fish[] = {
        {TINY, Pose(TINY, 0.56, 0.80, 0.30, {1, 0.12, 0}, -1)},
        {TINY, Pose(TINY, 0.63, 0.75, 0.35, {1, 0.1, 0}, -1)},
        {TINY, Pose(TINY, 0.53, 0.71, 0.25, {1, 0.15, 0}, -1)},
        {BLUE, Pose(BLUE, 0.80, 0.86, 0.15, {-1, 0, 0}, 2.0)},
        {YELLOW, Pose(YELLOW, 0.20, 0.30, 0.35, {1, 0.1, 0.2}, 0.4)},
        {BLUE, Pose(BLUE, 0.58, 0.34, 0.75, {1, 0.05, -0.3}, 1.2)},
        {YELLOW, Pose(YELLOW, 0.72, 0.58, 0.55, {-1, -0.12, 0.2}, 2.7)},
        {PEARL, Pose(PEARL, 0.30, 0.60, 0.85, {1, 0.08, 0}, 0.9)},
    };
    // In list order, as the show draws them: the depth test sorts them out.
    for (const auto& one : fish)
        canvas.DrawFish(aquarium.models[one.kind], aquarium.skins, one.pose);
    CPrng prng(132);
    for (int i = 0; i < 26; ++i) {
        const double y = prng.Range(0.05, 1.0);
        const double drift = 0.02 * std::sin(y * 9) + prng.Range(-0.01, 0.01);
        canvas.AddSprite(bubble, 0.8 + drift * y, y, prng.Range(0.006, 0.013), 0.7);
    }
    CImage still = canvas.GetImage();
    AddLightRays(still, LoadTga(root + "/pack/caust.tga"));
    WriteOutputFile(root, "bitmaps/preview.bmp", EncodeBmp24(still.Resized(200, 150)));
}

// A yellow fish on a round badge of deep water, transparent around it.
void WriteIcon(const std::string& root, SAquarium& aquarium)
{
    const int SIZE = 256;
    CImage badge(SIZE, SIZE);
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const double dx = (x + 0.5) / SIZE - 0.5, dy = (y + 0.5) / SIZE - 0.5;
            const double r = std::hypot(dx, dy) * 2;
            SColor c = Mix(Rgb(8, 40, 90), Rgb(40, 150, 190), SmoothStep(-0.5, 0.5, dy));
            c = Mix(c, Rgb(150, 230, 240), SmoothStep(0.86, 0.93, r) * SmoothStep(1.0, 0.95, r));
            c.a = SmoothStep(1.0, 0.985, r);
            badge.At(x, y) = c;
        }
    }
    CPreviewCanvas canvas(badge, SIZE, SIZE);
    canvas.DrawFish(aquarium.models[YELLOW], aquarium.skins, SFishPose{{0.56, 0.46, 0.5}, {1, 0.1, 0}, 1.0, 0.5});
    // One master for every size. The largest comes last, so the icon's
    // first three entries stay the small bitmaps older readers pick from.
    std::vector<CImage> images;
    for (int size : {48, 32, 16})
        images.push_back(canvas.GetImage().Resized(size, size));
    images.push_back(canvas.GetImage());
    WriteOutputFile(root, "coralux.ico", EncodeIcon(images));
    WriteOutputFile(root, "desktop/coralux.png", EncodePng(images.front()));
    WriteOutputFile(root, "desktop/coralux-256.png", EncodePng(images.back()));
}

// Each kind from both sides, turned towards the viewer and swimming down and
// away as the show shows them, then head-on and from above, which only a
// body with real volume survives.
void WriteModelViews(const std::string& folder, SAquarium& aquarium)
{
    struct SView
    {
        TVec3 direction, up;
        double phase;
    };
    const SView views[] = {{{1, 0, 0}, {0, 1, 0}, 0.3},      {{-1, 0, 0}, {0, 1, 0}, 1.6}, {{1, 0, 1}, {0, 1, 0}, 3.0},
                           {{1, 0.5, -0.6}, {0, 1, 0}, 4.4}, {{0, 0, 1}, {0, 1, 0}, 0.3},  {{1, 0, 0}, {0, 0, 1}, 0.3}};
    const double fit[] = {0.85, 0.8, 0.8, 1.1};
    const char* names[] = {"yellow", "blue", "pearl", "tiny"};
    for (int kind = YELLOW; kind <= TINY; ++kind) {
        for (size_t view = 0; view < std::size(views); ++view) {
            CPreviewCanvas canvas(Flat(8, 8, Rgb(24, 60, 96)), 320, 320);
            SFishPose pose{{0.5, 0.52, 0.5}, views[view].direction, fit[kind], views[view].phase};
            pose.up = views[view].up;
            canvas.DrawFish(aquarium.models[kind], aquarium.skins, pose);
            char name[64];
            std::snprintf(name, sizeof name, "%s-%zu.tga", names[kind], view);
            WriteOutputFile(folder, name, EncodeTgaTrueColor(canvas.GetImage(), 24));
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s RESOURCES_DIR [MODEL_VIEWS_DIR]\n", argv[0]);
        return 2;
    }
    const std::string root = argv[1];
    SAquarium aquarium = LoadAquarium(root + "/pack");
    if (argc == 3) {
        WriteModelViews(argv[2], aquarium);
        return 0;
    }
    WritePreviewStill(root, aquarium);
    WriteIcon(root, aquarium);
    return 0;
}
