// The frame rate of the pixel and triangle work the scene cannot do without,
// as a yardstick for SceneBench: the same GL state, the pack's background
// picture at the size the show uploads it in this window over 64 strips, the
// default scene's twenty fish, a thousand small additive sprites, the
// additive ray fan and the swap, all from display lists compiled once, so
// that almost no processor time goes into it. The fish are the ones a default
// scene has after FISH_SECONDS, with their skins and the two lights, each
// posed once at that moment.
//
//     bench_FloorBench [WIDTHxHEIGHT] [runs] [seconds]
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "BenchWindow.h"
#include "app/Random.h"
#include "app/Settings.h"
#include "assets/Image.h"
#include "assets/Pack.h"
#include "render/GLDrawer.h"
#include "render/Math.h"
#include "render/Ortho2D.h"
#include "render/SceneState.h"
#include "render/ViewSize.h"

namespace {
const int GRID = 64;
const int SPRITES = 1000;
const int RAYS = 64;
// Scene time at which the fish are posed: the middle of the 4 s that one run
// of bench/run-scene.sh gives the scene.
const int FISH_SECONDS = 2;
const int POSING_RATE = 60;  // the scene's steps a second at the display's rate

struct SVertex
{
    float s, t;
    float r, g, b, a;
    float x, y, z;
};

GLuint MakeBubbleTexture()
{
    GLuint texture = 0;
    BindImage("texture/grass.tga", texture, true, 0);
    return texture;
}

// The pack's picture, as large as the show makes its background in this window.
GLuint MakeBackgroundTexture()
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    const SPixelSize size = GetBackgroundSize(GetViewSize(), largest);
    CSmartPtr<CDIB32> picture;
    GLuint texture = 0;
    if (DecodePicture("texture/background.jpg", picture, size.width, size.height))
        UploadImage(*picture, texture, true, 0);
    return texture;
}

// The default scene's fish as they are FISH_SECONDS in, in one list: the fish
// stage's state, then each fish posed and drawn. They swim there in the
// scene's steps without being drawn, so the floor starts as fast as before.
GLuint MakeFishList()
{
    SeedRandom(1);
    SetDefaultSettings();
    CGLDrawer scene;
    scene.Init();
    const float aspect = GetAspect(GetViewSize());
    for (const CSmartPtr<CActorI>& fish : scene.GetFish()) {
        for (int step = 0; step < FISH_SECONDS * POSING_RATE; ++step)
            fish->Update(1.0f / POSING_RATE, aspect);
    }
    PushOrtho2D();
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    BeginFishStage();
    for (const CSmartPtr<CActorI>& fish : scene.GetFish()) {
        fish->Update(0.0f, aspect);
        fish->Draw();
    }
    EndFishStage();
    glEndList();
    PopOrtho2D();
    return list;
}

// Strip after strip, joined by repeated vertices so one call draws them all.
std::vector<SVertex> MakeBackground()
{
    std::vector<SVertex> vertices;
    for (int r = 0; r < GRID; ++r) {
        for (int k = 0; k <= GRID; ++k) {
            const float u = static_cast<float>(k) / GRID;
            for (int edge = 0; edge < 2; ++edge) {
                const float v = static_cast<float>(r + edge) / GRID;
                SVertex vertex = {u, v, 1, 1, 1, 1, 1.01f * u - 0.005f, 1.01f * v - 0.005f, 0};
                if (k == 0 && edge == 0 && r > 0)
                    vertices.push_back(vertex);
                vertices.push_back(vertex);
                if (k == GRID && edge == 1 && r < GRID - 1)
                    vertices.push_back(vertex);
            }
        }
    }
    return vertices;
}

// Sprites spread like a settled bubble stream: a column near x = 0.8 from
// bottom to top, sizes as the bubbles have them, square on screen.
std::vector<SVertex> MakeSprites()
{
    const float aspect = GetAspect(GetViewSize());
    std::vector<SVertex> vertices;
    for (int i = 0; i < SPRITES; ++i) {
        const float x = 0.8f + RandomRange(-0.05f, 0.05f);
        const float y = RandomRange(0.0f, 1.0f);
        const float s = RandomRange(0.002f, 0.01f);
        const float a = s / aspect;
        const float corners[4][4] = {
            {1, 1, x + a, y + s}, {1, 0, x + a, y - s}, {0, 0, x - a, y - s}, {0, 1, x - a, y + s}};
        for (const auto& c : corners)
            vertices.push_back(SVertex{c[0], c[1], 0.7f, 0.7f, 0.7f, 1, c[2], c[3], 0.5f});
    }
    return vertices;
}

std::vector<SVertex> MakeRays()
{
    std::vector<SVertex> vertices;
    for (int i = 0; i < RAYS; ++i) {
        const float level = static_cast<float>(Random() & 255);
        const float offset = static_cast<float>(i - RAYS / 2);
        const float top = level / 1024.0f;
        const float bottom = level / 2048.0f;
        vertices.push_back(SVertex{0, 0, top, top, top, 0.4f, 0.5f + offset * 0.016f, 1, 0});
        vertices.push_back(SVertex{0, 0, bottom, bottom, bottom, 0.3f, 0.5f + offset * 0.04f, 0, 0});
    }
    return vertices;
}

// The vertices as a display list: the driver keeps them, so replaying costs
// next to nothing on our side. Only the rays carry a colour per vertex, as in
// the scene; the other stages take one colour for all.
GLuint MakeList(GLenum mode, const std::vector<SVertex>& vertices, bool coloured)
{
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glBegin(mode);
    for (const SVertex& v : vertices) {
        glTexCoord2f(v.s, v.t);
        if (coloured)
            glColor4f(v.r, v.g, v.b, v.a);
        glVertex3f(v.x, v.y, v.z);
    }
    glEnd();
    glEndList();
    return list;
}

struct SFloorScene
{
    GLuint background = MakeBackgroundTexture();
    GLuint sprite = MakeBubbleTexture();
    GLuint fish = MakeFishList();
    GLuint grid = MakeList(GL_TRIANGLE_STRIP, MakeBackground(), false);
    GLuint sprites = MakeList(GL_QUADS, MakeSprites(), false);
    GLuint rays = MakeList(GL_TRIANGLE_STRIP, MakeRays(), true);

    void Draw() const
    {
        glClear(GL_DEPTH_BUFFER_BIT);
        PushOrtho2D();

        glPushAttrib(GL_ENABLE_BIT);
        glDisable(GL_CULL_FACE);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, background);
        glColor3f(1.0f, 1.0f, 1.0f);
        glCallList(grid);
        glPopAttrib();

        glCallList(fish);

        glPushAttrib(GL_ENABLE_BIT);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glDepthMask(GL_FALSE);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, sprite);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        glColor3f(0.7f, 0.7f, 0.7f);
        glCallList(sprites);
        glDepthMask(GL_TRUE);
        glPopAttrib();

        glPushAttrib(GL_ENABLE_BIT);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        glCallList(rays);
        glPopAttrib();

        PopOrtho2D();
    }
};
}  // namespace

int main(int argc, char** argv)
{
    const SBenchOptions options(argc, argv);
    CBenchWindow window(options.width, options.height);
    SeedRandom(1);
    if (!LoadResourcePack(PACK_RESOURCE_ID)) {
        std::fprintf(stderr, "cannot load the pack\n");
        return 1;
    }
    SetUpSceneState();
    const SFloorScene scene;

    std::vector<double> rates, cpu;
    for (int run = 0; run < options.runs; ++run) {
        const SBenchFigures figures = window.Run(options.seconds, [&] { scene.Draw(); });
        rates.push_back(figures.framesPerSecond);
        cpu.push_back(figures.cpuMsPerFrame);
    }
    std::printf("floor %dx%d: %.1f fps, %.3f ms of frame work per frame (medians of %d runs of %.1f s)\n",
                options.width, options.height, Median(rates), Median(cpu), options.runs, options.seconds);
    return 0;
}
