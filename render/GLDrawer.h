#pragma once
// The aquarium scene: background picture under the ripples, the fish, the
// bubbles, the light rays and the frame-rate text, drawn back to front in one
// orthographic unit box with no camera. Owns the scene's textures, images,
// fish list and clocks, and sets every piece of GL state the scene needs.
// Does not swap buffers or own the window.
#include <GL/gl.h>

#include <future>
#include <vector>

#include "app/FrameTimer.h"
#include "assets/DIB32.h"
#include "fish/Actor.h"
#include "fish/SmartPtr.h"
#include "render/BackgroundGrid.h"
#include "render/EmissionClock.h"
#include "render/GLDrawerI.h"
#include "render/GLFont.h"
#include "render/ViewSize.h"

class CGLDrawer : public CGLDrawerI
{
public:
    // Takes the desktop picture when the settings ask for it, so it must be
    // built before any window of ours is shown. Needs no GL context. The scene
    // clock reads the machine's clocks unless a test hands in its own.
    explicit CGLDrawer(const SFrameClock& clock = SYSTEM_FRAME_CLOCK);
    ~CGLDrawer() override;
    CGLDrawer(const CGLDrawer&) = delete;
    CGLDrawer& operator=(const CGLDrawer&) = delete;

    void Init() override;
    bool Draw() override;
    // Moves the scene clock, the bubble stream's clock and every fish on by
    // that many seconds without drawing or emitting: a long-running show in
    // an instant, for runs that check what months of running do.
    void SkipAhead(double seconds);

    double GetSceneTime() const { return m_sceneTime; }
    size_t GetFishCount() const { return m_actors.size(); }
    // The fish in drawing order, as they are now.
    const std::vector<CSmartPtr<CActorI>>& GetFish() const { return m_actors; }
    // The last frame's counter text; empty while the counter is off.
    const char* GetFrameRateText() const { return m_frameRateText; }

private:
    void DrawGeometry();
    void StartBackgroundDecode();
    void LoadImages();
    void LoadBackground(const SPixelSize& fit);
    void MakeDesktopTexture();
    void CopyDesktop();
    void CreateFish();
    void DrawBackground();
    void DrawFish();
    void DrawBubbles();
    void DrawRays();
    void DrawFrameRate();

    double m_previousTime = 0.0;
    double m_sceneTime = 0.0;
    double m_step = 0.0;
    double m_rawStep = 0.0;
    CGLFont m_font;
    CFrameTimer m_frameTimer;
    GLuint m_backgroundTexture = 0;
    CBackgroundGrid m_grid;
    SPixelSize m_backgroundFit = {0, 0};  // the size the background was last loaded to fit
    // The background as the constructor's thread decodes it, for that size.
    std::future<CSmartPtr<CDIB32>> m_pendingBackground;
    SPixelSize m_pendingFit = {0, 0};
    GLint m_largestTexture = 0;  // texels, the driver's largest texture side
    float m_aspect = 1.0f;       // the view's width over its height this frame
    GLuint m_bubbleTexture = 0;
    GLuint m_desktopTexture = 0;
    SEmissionClock m_emission;
    CSmartPtr<CDIB32> m_desktopImage;
    CSmartPtr<CDIB32> m_screenImage;
    CSmartPtr<CDIB32> m_causticImage;
    std::vector<CSmartPtr<CActorI>> m_actors;
    char m_frameRateText[32] = {};
};
