#include "app/SaverApp.h"

#include <cstdio>
#include <cstdlib>

#include "app/Random.h"
#include "app/ShowTurn.h"
#include "app/Settings.h"
#include "app/Trace.h"
#include "assets/Pack.h"
#include "fish/SmartPtr.h"
#include "platform/Clock.h"
#include "platform/DisplayMode.h"
#include "platform/GLContext.h"
#include "platform/MessageBox.h"
#include "platform/Session.h"
#include "render/BlackWnd.h"
#include "render/DisplayMode.h"
#include "render/GLDrawer.h"
#include "render/HostWnd.h"
#include "render/SaverWnd.h"
#include "sound/Sound.h"
#include "ui/SaverDlg.h"
#include "ui/SplashWnd.h"

namespace {

const char* const MESSAGE_BOX_TITLE = "Coralux:";
const uint32_t PREVIEW_WAIT_MS = 10;  // the preview's longest sleep between looks at its queue
// The host's settings may start the show a moment before its preview has
// ended and let the single-instance mutex go; the show waits this long for it.
const uint32_t PREVIEW_HANDOVER_MS = 1000;

const char* const AMBIENT_SOUND = "sound/main.wav";
const int32_t AMBIENT_KEY = -1;      // never taken over by a splash
const uint32_t AMBIENT_FLAGS = 1;    // looping, not placed in the scene
const float LISTENER_RANGE = 20.0f;  // scene units; the whole scene is well inside it
// xscreensaver starts one hosted show per monitor; the one holding this plays the sound.
const char* const HOSTED_SOUND_MUTEX = "CoraluxSoundMutex";

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

// Frames no faster than the display shows them, or than --max-fps asks for
// this run (0: no limit, and swaps that wait for nothing, for benchmarks).
CFramePacer MakeFramePacer(const SHostOptions& options, HWindow window)
{
    if (options.maxFps >= 0) {
        SysSetSwapInterval(options.maxFps == 0 ? 0 : 1);
        return CFramePacer(options.maxFps, false);
    }
    const bool synced = SysSetSwapInterval(1);
    const double rate = SysGetRefreshRate(window);
    return CFramePacer(rate > 0 ? rate : FALLBACK_REFRESH_RATE, synced);
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
    m_exitCode = 1;
    try {
        // A host's window covers the screen: a box would hide behind it, so
        // the host's log (our standard error) is where the failure goes.
        if (m_options.IsHosted())
            std::fprintf(stderr, "%s\n%s\n", MESSAGE_BOX_TITLE, FormatFailure().c_str());
        else
            SysMessageBox(MESSAGE_BOX_TITLE, FormatFailure().c_str());
    } catch (...) {
        // Nothing is left to tell the user with; the exit status still says it.
    }
}

void CSaverApp::MainLoop()
{
    try {
        if (AnswerHostOptions())
            return;
        SysRestoreSessionEnvironment();
        SeedRandom(SysGetTickCount());
        SetUpSettings();
        if (!LoadResourcePack(PACK_RESOURCE_ID))
            RaiseResourceError();
        if (m_options.IsHosted())
            DoHostedShow(GetHostWindow());
        else
            RunMode(GetRunMode(static_cast<int>(m_options.rest.size()), m_options.rest.data()));
    } catch (...) {
        AddTrace("CSaverApp::MainLoop");
        throw;
    }
}

bool CSaverApp::AnswerHostOptions()
{
    const char* program = m_argc > 0 && m_argv[0] ? m_argv[0] : "coralux";
    if (!ParseHostOptions(m_argc, m_argv, &m_options)) {
        std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", program, m_options.error.c_str(),
                     program);
        m_exitCode = 2;
        return true;
    }
    if (m_options.help)
        std::fputs(GetHelpText(program).c_str(), stdout);
    else if (m_options.version)
        std::fputs(GetVersionText().c_str(), stdout);
    else if (m_options.addToXScreenSaver)
        m_exitCode = AddToXScreenSaver() ? 0 : 1;
    return m_options.help || m_options.version || m_options.addToXScreenSaver;
}

void CSaverApp::SetUpSettings()
{
    SetDefaultSettings();
    // Under xscreensaver its settings pane is the one authority: what it
    // shows is what runs, whatever our own dialog stored.
    if (!m_options.defaults)
        LoadSettings();
    ApplySettingOverrides(m_options);
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
        if (CreateInstanceMutex(PREVIEW_HANDOVER_MS))
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
        // After every normal run, so that the first one stores all the
        // defaults; settings given for this run only are not stored, nor
        // any of a run that never read the store. The show changes no
        // setting, so it never overwrites one: the setup dialog may have
        // stored the user's new choice while it ran.
        if (m_options.overrides.empty() && !m_options.defaults)
            SaveMissingSettings();
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
    CFramePacer pacer = MakeFramePacer(m_options, window.GetHWND());
    SMessage message = {};
    while (g_bRunning && message.message != MSG_QUIT)
        RunShowTurn(window, drawer, pacer, &message);
}

HWindow CSaverApp::GetHostWindow() const
{
    if (m_options.windowId != 0)
        return m_options.windowId;
    if (const HWindow named = ParseWindowId(std::getenv("XSCREENSAVER_WINDOW")))
        return named;
    return SysGetRootWindow();
}

void CSaverApp::DoHostedShow(HWindow host)
{
    try {
        // The renderer may copy the desktop, so it comes before we draw on it.
        CSmartPtr<CGLDrawer> drawer = new CSmartPtrWrap<CGLDrawer>();
        CSmartPtr<CHostWnd> window = new CSmartPtrWrap<CHostWnd>();
        if (!window->Create(host))
            RaiseError("Could not create main window");
        drawer->Init();
        if (!IsPreview(window->GetHWND())) {
            bool anotherPlays = false;
            m_hMutex = SysCreateNamedMutex(HOSTED_SOUND_MUTEX, &anotherPlays);
            if (!anotherPlays)
                StartSounds(window->GetHWND(), this);
        }
        RunHostedShow(*window, *drawer);
        ShutdownSoundSystem();
        drawer.Reset();
        window.Reset();
    } catch (...) {
        ShutdownSoundSystem();
        AddTrace("CSaverApp::DoHostedShow");
        throw;
    }
}

// A preview inside a settings window is seen, not heard, as /p is:
// xscreensaver's settings name their preview window with --window-id, and
// MATE's preferences run the full-screen command line in a small window.
bool CSaverApp::IsPreview(HWindow window) const
{
    return m_options.windowId != 0 || !SysCoversMonitor(window);
}

// The host ends the show (SIGTERM) or takes its window away; nothing the
// user does reaches us.
void CSaverApp::RunHostedShow(CHostWnd& window, CGLDrawerI& drawer)
{
    CFramePacer pacer = MakeFramePacer(m_options, window.GetHWND());
    SMessage message = {};
    while (message.message != MSG_QUIT && window.FollowSize())
        RunShowTurn(window, drawer, pacer, &message);
}

void CSaverApp::DoPreview(HWindow parent)
{
    try {
        CSplashWnd splash;
        // The loop ends only when the picture's window goes: without one
        // (no such host window) there is nothing to wait for.
        if (!splash.Create(parent, BITMAP_PREVIEW))
            return;
        SMessage message = {};
        while (g_bRunning && message.message != MSG_QUIT) {
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
    try {
        // The dialog edits the settings as the user goes; only OK keeps them.
        // The user asked for them to be kept: a lost save must not look like one.
        CSaverDlg dialog;
        if (dialog.DoModal() == DIALOG_OK && !SaveSettings())
            RaiseError("Could not save the settings");
    } catch (...) {
        AddTrace("CSaverApp::DoConfig");
        throw;
    }
}
