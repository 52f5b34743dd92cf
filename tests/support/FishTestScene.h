#pragma once
// What the fish tests share: a GL window, the process-wide pack holding the
// hand-made test models, each kind's shared model loaded in this window's
// context, and the fish stage of the renderer set up in the unit box
// (unlit, so a drawn fish shows exactly its skin colour).
#include <cstdint>
#include <vector>

#include "tests/support/GLTestWindow.h"
#include "tests/support/ScratchPack.h"

class CFishTestScene
{
public:
    explicit CFishTestScene(int size = 256) : CFishTestScene(size, size) {}
    CFishTestScene(int width, int height);

    bool IsReady() const { return m_window.IsReady() && m_modelsLoaded; }
    // Clears the window and sets the unit box, depth test, culling and texturing.
    void BeginFrame();
    std::vector<uint8_t> ReadPixels() const { return m_window.ReadPixels(); }
    int GetSize() const { return m_window.GetWidth(); }
    int GetWidth() const { return m_window.GetWidth(); }
    int GetHeight() const { return m_window.GetHeight(); }
    // The window's width over its height, as the renderer hands it to the fish.
    float GetAspect() const { return static_cast<float>(GetWidth()) / static_cast<float>(GetHeight()); }
    CScratchPack& GetPack() { return m_pack; }

private:
    CGLTestWindow m_window;
    CScratchPack m_pack;
    bool m_modelsLoaded = false;
};

// Pixels of the test skin colour in a frame read back: their number, the
// mean position and the extent, in pixels from the bottom left.
struct SSkinPixels
{
    int count = 0;
    double meanX = 0, meanY = 0;
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
};
SSkinPixels FindSkinPixels(const std::vector<uint8_t>& pixels, int width, int height);
