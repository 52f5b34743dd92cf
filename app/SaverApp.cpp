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
#include "ui/SaverDlg.h"
#include "ui/SplashWnd.h"

namespace {

const char* const MESSAGE_BOX_TITLE = "Coralux:";
const uint32_t PREVIEW_WAIT_MS = 10;  // the preview's longest sleep between looks at its queue

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
        SetScreenSaverRunning(true);
        RunShow(*saverWnd, *drawer);
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
    }
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
        CSaverDlg dialog;
        if (dialog.DoModal() == DIALOG_OK)
            SaveSettings();
    } catch (...) {
        AddTrace("CSaverApp::DoConfig");
        throw;
    }
}
