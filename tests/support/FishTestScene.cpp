#include "tests/support/FishTestScene.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>

#include "fish/BlueFishActor.h"
#include "fish/FishActor.h"
#include "fish/PearlFishActor.h"
#include "fish/SmallFishActor.h"
#include "tests/support/TestFishModels.h"

// The models are shared by the whole process, so each scene loads them again
// into its own GL context: textures of an earlier window are gone with it.
CFishTestScene::CFishTestScene(int width, int height) : m_window(width, height)
{
    if (!m_window.IsReady())
        return;
    AddTestFishModels(m_pack);
    m_modelsLoaded = CFishActor::GetModel().Load("fish.sca") && CBlueFishActor::GetModel().Load("bfish.sca") &&
                     CPearlFishActor::GetModel().Load("pfish.sca") && CSmallFishActor::GetModel().Load("sfish.sca");
}

void CFishTestScene::BeginFrame()
{
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -2, 2);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glColor3f(1, 1, 1);
}

SSkinPixels FindSkinPixels(const std::vector<uint8_t>& pixels, int width, int height)
{
    SSkinPixels found;
    found.minX = width;
    found.minY = height;
    found.maxX = found.maxY = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
            if (std::abs(p[0] - TEST_SKIN_RED) > 2 || std::abs(p[1] - TEST_SKIN_GREEN) > 2 ||
                std::abs(p[2] - TEST_SKIN_BLUE) > 2)
                continue;
            ++found.count;
            found.meanX += x + 0.5;
            found.meanY += y + 0.5;
            found.minX = std::min(found.minX, x);
            found.maxX = std::max(found.maxX, x);
            found.minY = std::min(found.minY, y);
            found.maxY = std::max(found.maxY, y);
        }
    if (found.count > 0) {
        found.meanX /= found.count;
        found.meanY /= found.count;
    }
    return found;
}
