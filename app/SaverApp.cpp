#include "app/SaverApp.h"

#include "app/Random.h"
#include "app/Settings.h"
#include "app/Trace.h"
#include "assets/Pack.h"
#include "fish/SmartPtr.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "render/BlackWnd.h"
#include "render/DisplayMode.h"
#include "render/GLDrawer.h"
#include "render/SaverWnd.h"
#include "sound/Sound.h"

namespace {

const char* const MESSAGE_BOX_TITLE = "Coralux:";
const uint32_t PREVIEW_WAIT_MS = 10;  // the preview's longest sleep between looks at its queue

const char* const AMBIENT_SOUND = "sound/main.wav";
const int32_t AMBIENT_KEY = -1;      // never taken over by a splash
const uint32_t AMBIENT_FLAGS = 1;    // looping, not placed in the scene
const float LISTENER_RANGE = 20.0f;  // scene units; the whole scene is well inside it

// The ambient loop, when sounds are on. Without a device the calls do
// nothing and the show runs silently: no failure to report.
void StartSounds(HWindow window, const void* owner)
{
    if (g_Settings.EnableSounds)
        InitSoundSystem(window);
    SetSoundMasterVolume(1.0f);
    // Above the middle of the scene, looking into the water.
    SetSoundListener({0.5f, 0.5f, 1.0f}, {0.0f, 0.0f, -1.0f}, {0.0f, 1.0f, 0.0f}, LISTENER_RANGE);
    const SVector3 still = {0.0f, 0.0f, 0.0f};
    PlaySample(AMBIENT_SOUND, owner, AMBIENT_KEY, AMBIENT_FLAGS, 1.0f, 0.0f, 1.0f, still, still);
}

}  // namespace

CSaverApp::CSaverApp(int argc, const char* const* argv) : m_argc(argc), m_argv(argv) {}

CSaverApp::~CSaverApp()
{
    SysCloseNamedMutex(m_hMutex);
}

bool CSaverApp::InitInstance()
{
    try {
        try {
            MainLoop();
        } catch (...) {
            AddTrace("CSaverApp::InitInstance");
            throw;
        }
    } catch (...) {
        ReportFailure();
    }
    return false;
}

void CSaverApp::ReportFailure()
{
    m_failed = true;
    try {
        SysMessageBox(MESSAGE_BOX_TITLE, FormatFailure().c_str());
    } catch (...) {
        // Nothing is left to tell the user with; the exit status still says it.
    }
}

void CSaverApp::MainLoop()
{
    try {
        SeedRandom(SysGetTickCount());
        SetDefaultSettings();
        LoadSettings();
        if (!LoadResourcePack(PACK_RESOURCE_ID))
            RaiseResourceError();
        RunMode(GetRunMode(m_argc, m_argv));
    } catch (...) {
        AddTrace("CSaverApp::MainLoop");
        throw;
    }
}

void CSaverApp::RunMode(ERunMode mode)
{
    switch (mode) {
    case RUN_CONFIG:
        DoConfig();
        break;
    case RUN_PASSWORD:
        ChangePassword(GetWindowArgument(m_argc, m_argv));
        break;
    case RUN_PREVIEW:
        if (CreateInstanceMutex())
            DoPreview(GetWindowArgument(m_argc, m_argv));
        break;
    case RUN_SAVER:
        if (CreateInstanceMutex())
            DoSaver();
        break;
    case RUN_NONE:
        break;
    }
}

void CSaverApp::DoSaver()
{
    try {
        // The black cover is made before any mode switch, so it keeps the
        // desktop's size; the saver window is made after, on the new size.
        CSmartPtr<CSaverWnd> saverWnd = new CSmartPtrWrap<CSaverWnd>();
        // The renderer may copy the desktop, so it comes before any window of ours shows.
        CSmartPtr<CGLDrawer> drawer = new CSmartPtrWrap<CGLDrawer>();
        CSmartPtr<CBlackWnd> blackWnd = new CSmartPtrWrap<CBlackWnd>();
        blackWnd->Create();
        if (!g_Settings.UseDesktopSettings) {
            if (!ChangeDisplayMode(g_Settings.ScreenWidth, g_Settings.ScreenHeight, g_Settings.ScreenDepth))
                RaiseError("Could not set specified video mode");
            SysSleep(0);
        }
        if (!saverWnd->Create())
            RaiseError("Could not create main window");
        drawer->Init();
        StartSounds(saverWnd->GetHWND(), this);
        SetScreenSaverRunning(true);
        RunShow(*saverWnd, *drawer);
        ShutdownSoundSystem();
        // The renderer goes while the window's GL context still exists.
        drawer.Reset();
        saverWnd.Reset();
        VerifyPassword(blackWnd->GetHWND());
        blackWnd.Reset();
        SetScreenSaverRunning(false);
        if (!g_Settings.UseDesktopSettings)
            RestoreDisplayMode();
        // After every normal run, so that the first one stores all the defaults.
        SaveSettings();
    } catch (...) {
        // The windows are gone by now; the desktop gets its own mode back
        // before anyone is told.
        SetScreenSaverRunning(false);
        ShutdownSoundSystem();
        if (!g_Settings.UseDesktopSettings)
            RestoreDisplayMode();
        AddTrace("CSaverApp::DoSaver");
        throw;
    }
}

void CSaverApp::RunShow(CSaverWnd& window, CGLDrawerI& drawer)
{
    SMessage message = {};
    while (g_bRunning && message.message != MSG_QUIT) {
        if (SysPeekMessage(&message)) {
            SysDispatchMessage(message);
            continue;
        }
        drawer.Draw();
        window.SwapBuffers();
        UpdateSounds();
    }
}

void CSaverApp::DoPreview(HWindow parent)
{
    try {
        // The host closes its preview by destroying the window; when it is
        // gone, or never was, there is nothing to wait for.
        SMessage message = {};
        while (g_bRunning && message.message != MSG_QUIT && SysIsWindow(parent)) {
            if (SysPeekMessage(&message))
                SysDispatchMessage(message);
            else
                SysWaitMessage(PREVIEW_WAIT_MS);
        }
    } catch (...) {
        AddTrace("CSaverApp::DoPreview");
        throw;
    }
}

void CSaverApp::DoConfig()
{
    // The setup dialog is not part of this program yet: the mode ends at once.
    // When it is, an OK ends in SaveSettings here; any other end saves nothing.
}
