#include "render/GLDrawer.h"

#include <GL/glu.h>

#include <cassert>
#include <cstdint>
#include <cstdio>
#include <system_error>

#include "app/Settings.h"
#include "app/Trace.h"
#include "assets/Image.h"
#include "fish/BlueFishActor.h"
#include "fish/FishActor.h"
#include "fish/PearlFishActor.h"
#include "fish/SmallFishActor.h"
#include "platform/Window.h"
#include "render/Bubbles.h"
#include "render/LightRays.h"
#include "render/Ortho2D.h"
#include "render/Ripple.h"
#include "render/SceneState.h"
#include "render/ViewSize.h"

namespace {
const double MAX_STEP = 0.1;          // seconds; a long stall advances the scene by no more
const double MIN_RAW_STEP = 0.0001;   // seconds; shorter frames read as 1 fps, not as a huge rate
const double BUBBLE_INTERVAL = 0.05;  // seconds between bubble groups once the scene runs
const int GRID = 64;                  // background cells per side
const float FPS_INSET = 0.02f;        // counter position and cell size, unit-box units
const int MAX_FISH_PER_KIND = 1000;   // a count beyond this is a damaged store, not a wish: it would exhaust memory
const char* const BACKGROUND_PICTURE = "texture/background.jpg";

// The pack's background decoded to fit that size; empty when it cannot be read.
CSmartPtr<CDIB32> DecodeBackground(SPixelSize fit)
{
    CSmartPtr<CDIB32> picture;
    DecodePicture(BACKGROUND_PICTURE, picture, fit.width, fit.height);
    return picture;
}

// Appends count fish of one kind, each initialised at once. A fish whose
// model failed to load stays in the list and draws nothing.
template <class TActor>
void AddFish(std::vector<CSmartPtr<CActorI>>& actors, int count)
{
    for (int i = 0; i < count; ++i) {
        CSmartPtr<CActorI> actor = new CSmartPtrWrap<TActor>();
        actor->Init();
        actors.push_back(actor);
    }
}

// The screen copy holds the window system's B, G, R, x words; GL wants R, G, B, A
// bytes. Each channel is scaled by 255/256, rounding down.
void SwapToRGBA(CDIB32& image)
{
    uint8_t* pixel = static_cast<uint8_t*>(image.GetBits());
    const size_t count = static_cast<size_t>(image.GetWidth()) * image.GetHeight();
    for (size_t i = 0; i < count; ++i, pixel += 4) {
        const uint8_t blue = pixel[0];
        const uint8_t green = pixel[1];
        const uint8_t red = pixel[2];
        pixel[0] = static_cast<uint8_t>((red * 255) >> 8);
        pixel[1] = static_cast<uint8_t>((green * 255) >> 8);
        pixel[2] = static_cast<uint8_t>((blue * 255) >> 8);
        pixel[3] = 255;
    }
}
}  // namespace

CGLDrawer::CGLDrawer(const SFrameClock& clock) : m_frameTimer(clock), m_grid(GRID)
{
    if (g_Settings.UseDesktopBitmap != 0)
        CopyDesktop();
    StartBackgroundDecode();
}

CGLDrawer::~CGLDrawer()
{
    // The fish go first: they may still refer to what the renderer set up.
    m_actors.clear();
    m_causticImage.Reset();
    m_screenImage.Reset();
    m_desktopImage.Reset();
}

void CGLDrawer::CopyDesktop()
{
    int width = 0, height = 0;
    CSmartPtr<CDIB32> screen = new CSmartPtrWrap<CDIB32>();
    CSmartPtr<CDIB32> desktop = new CSmartPtrWrap<CDIB32>();
    // Without both images the background stays the pack's picture.
    if (!SysGetScreenSize(&width, &height) || !screen->Create(width, height) || !screen->CopyFromDC() ||
        !desktop->Create(g_Settings.BackgroundRes, g_Settings.BackgroundRes)) {
        std::fprintf(stderr, "coralux: the desktop picture cannot be copied here; "
                             "showing the background picture instead\n");
        return;
    }
    m_screenImage = screen;
    m_desktopImage = desktop;
}

// The background takes longest of all the pictures to decode, so it is
// decoded on a thread of its own while the windows are made: for a window
// that covers the screen, as most shows have; Init decodes it again for any
// other size.
void CGLDrawer::StartBackgroundDecode()
{
    int width = 0, height = 0;
    if (!SysGetScreenSize(&width, &height))
        return;
    m_pendingFit = GetBackgroundSize({width, height}, MAX_DIB_SIDE);
    try {
        m_pendingBackground = std::async(std::launch::async, DecodeBackground, m_pendingFit);
    } catch (const std::system_error&) {
        // No thread to be had: Init decodes the picture itself.
    }
}

void CGLDrawer::Init()
{
    try {
        SetUpSceneState();
        LoadImages();
        if (m_screenImage)
            MakeDesktopTexture();
        BuildRippleSineTable();
        CreateFish();
        m_frameTimer.Restart();
        m_emission.interval = BUBBLE_INTERVAL;
    } catch (...) {
        AddTrace("CGLDrawer::Init");
        throw;
    }
}

void CGLDrawer::LoadImages()
{
    // A missing bubble or background picture leaves texture 0: drawn untextured, not fatal.
    BindImage("texture/grass.tga", m_bubbleTexture, true, 0);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &m_largestTexture);
    LoadBackground(GetBackgroundSize(GetViewSize(), m_largestTexture));
    if (!TGAResource2DIB32("caust.tga", m_causticImage))
        RaiseResourceError();
    m_font.Load("texture/font.tga", true);
}

// The picture is decoded no larger than the view needs: a small window
// neither waits for nor keeps texels it could not show.
void CGLDrawer::LoadBackground(const SPixelSize& fit)
{
    const bool pendingFits = m_pendingBackground.valid() && m_pendingFit == fit;
    CSmartPtr<CDIB32> picture;
    if (m_pendingBackground.valid())
        picture = m_pendingBackground.get();
    if (!pendingFits)
        picture = DecodeBackground(fit);
    glDeleteTextures(1, &m_backgroundTexture);
    m_backgroundTexture = 0;
    if (picture)
        UploadImage(*picture, m_backgroundTexture, true, 0);
    m_backgroundFit = fit;
}

void CGLDrawer::MakeDesktopTexture()
{
    CDIB32& screen = *m_screenImage;
    CDIB32& desktop = *m_desktopImage;
    gluScaleImage(GL_RGBA, screen.GetWidth(), screen.GetHeight(), GL_UNSIGNED_BYTE, screen.GetBits(),
                  desktop.GetWidth(), desktop.GetHeight(), GL_UNSIGNED_BYTE, desktop.GetBits());
    SwapToRGBA(desktop);

    UploadImage(desktop, m_desktopTexture, true, GL_REPEAT);
}

void CGLDrawer::CreateFish()
{
    for (int count :
         {g_Settings.YellowFishCount, g_Settings.BlueFishCount, g_Settings.PearlFishCount, g_Settings.TinyFishCount}) {
        if (count > MAX_FISH_PER_KIND)
            RaiseError("Too many fish: at most 1000 of each kind");
    }
    AddFish<CFishActor>(m_actors, g_Settings.YellowFishCount);
    AddFish<CBlueFishActor>(m_actors, g_Settings.BlueFishCount);
    AddFish<CPearlFishActor>(m_actors, g_Settings.PearlFishCount);
    AddFish<CSmallFishActor>(m_actors, g_Settings.TinyFishCount);
}

bool CGLDrawer::Draw()
{
    try {
        const double now = m_frameTimer.GetElapsed() / 1000.0;
        m_step = now - m_previousTime;
        m_rawStep = m_step;
        m_previousTime = now;
        // A clock that went back (the tick clock's wrap, a clock that was set)
        // or gave no number leaves the scene where it was.
        if (!(m_step >= 0.0))
            m_step = 0.0;
        else if (m_step > MAX_STEP)
            m_step = MAX_STEP;
        m_sceneTime += m_step;

        const SPixelSize view = GetViewSize();
        m_aspect = GetAspect(view);
        // A window that grew (a host's window resized) gets a finer background.
        const SPixelSize fit = GetBackgroundSize(view, m_largestTexture);
        if (fit.width > m_backgroundFit.width || fit.height > m_backgroundFit.height)
            LoadBackground(fit);

        // The colour buffer is left alone: the background covers the whole view.
        glClear(GL_DEPTH_BUFFER_BIT);
        DrawGeometry();
        return true;
    } catch (...) {
        AddTrace("CGLDrawer::Draw");
        throw;
    }
}

void CGLDrawer::SkipAhead(double seconds)
{
    m_sceneTime += seconds;
    // The groups that fell due meanwhile have long risen away: none is emitted.
    m_emission.Advance(seconds);
    for (CSmartPtr<CActorI>& actor : m_actors)
        actor->SkipAhead(seconds);
}

void CGLDrawer::DrawGeometry()
{
    try {
        UpdateRippleField(m_sceneTime);
        PushOrtho2D();
        DrawBackground();
        DrawFish();
        DrawBubbles();
        DrawRays();
        PopOrtho2D();
        DrawFrameRate();
    } catch (...) {
        AddTrace("CGLDrawer::DrawGeometry");
        throw;
    }
}

void CGLDrawer::DrawBackground()
{
    glPushAttrib(GL_ENABLE_BIT);
    // No culling and no depth: the background is behind everything.
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    // The texture environment stays at modulate, so this colour fades the picture.
    const double fade = g_Settings.Fade / 100.0;
    glColor3d(fade, fade, fade);
    glBindTexture(GL_TEXTURE_2D, m_desktopTexture != 0 ? m_desktopTexture : m_backgroundTexture);

    // Texture coordinates stay on the regular grid while the vertices move with
    // the water, so the picture looks refracted.
    m_grid.Draw();
    glPopAttrib();
}

void CGLDrawer::DrawFish()
{
    // The modelview is the identity here, so the lights sit in the fish's own
    // coordinates: the unit box, widened to the view's shape (see CActorI::Draw).
    BeginFishStage();
    const float step = static_cast<float>(m_step);
    for (size_t i = 0; i < m_actors.size(); ++i) {
        // A reference of our own keeps the fish alive through its own calls.
        CSmartPtr<CActorI> actor = m_actors[i];
        actor->Update(step, m_aspect);
        actor->Draw();
    }
    EndFishStage();
}

void CGLDrawer::DrawBubbles()
{
    glPushAttrib(GL_ENABLE_BIT);
    // Hidden behind nearer fish, but the bubbles write no depth of their own.
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, m_bubbleTexture);
    // Additive: the sprite's dark parts vanish and its highlights shine.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glColor3f(0.7f, 0.7f, 0.7f);

    EmitBubbles(m_emission, m_step);
    CBubbleSystem& bubbles = GetBubbleSystem();
    bubbles.Update(m_step);
    for (uint32_t i = 0; i < bubbles.GetCount(); ++i)
        DrawBubble(bubbles.GetBubble(i), m_aspect);

    glDepthMask(GL_TRUE);
    glPopAttrib();
}

void CGLDrawer::DrawRays()
{
    assert(m_causticImage && "CGLDrawer::Draw needs a successful CGLDrawer::Init first");
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    DrawLightRays(m_sceneTime, *m_causticImage);
    glPopAttrib();
}

void CGLDrawer::DrawFrameRate()
{
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    if (g_Settings.EnableFPS != 0) {
        glColor3f(1.0f, 1.0f, 1.0f);
        // The rate of this one frame, not an average.
        if (m_rawStep < MIN_RAW_STEP)
            m_rawStep = 1.0;
        std::snprintf(m_frameRateText, sizeof(m_frameRateText), "%4.2f fps", 1.0 / m_rawStep);
        m_font.DrawText(FPS_INSET, FPS_INSET, FPS_INSET, FPS_INSET, m_frameRateText);
    } else {
        m_frameRateText[0] = '\0';
    }
    glPopAttrib();
}
