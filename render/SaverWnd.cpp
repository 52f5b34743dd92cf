#include "render/SaverWnd.h"

#include <cstdlib>

#include "app/Trace.h"

int g_nStartCursorX = 0;
int g_nStartCursorY = 0;

namespace {

const char* const SAVER_CLASS = "Quillworth OpenGL Window";

}  // namespace

bool HasPointerStrayed()
{
    int x = 0, y = 0;
    if (!SysGetCursorPos(&x, &y))
        return false;
    return std::abs(x - g_nStartCursorX) > SAVER_MOVE_TOLERANCE || std::abs(y - g_nStartCursorY) > SAVER_MOVE_TOLERANCE;
}

CSaverWnd::~CSaverWnd()
{
    m_gl.Release();
    if (m_window != 0 && SysIsWindow(m_window))
        SysDestroyWindow(m_window);
    if (m_ownsClass)
        SysUnregisterClass(SAVER_CLASS);
}

bool CSaverWnd::Create()
{
    try {
        // A class made by someone else might carry another procedure: no fall-back.
        const SWindowClass windowClass = {SAVER_CLASS, CLASS_OWNDC | CLASS_HREDRAW | CLASS_VREDRAW, WndProc,
                                          BACKGROUND_NONE};
        m_ownsClass = SysRegisterClass(windowClass);
        int x = 0, y = 0, width = 0, height = 0;
        if (!m_ownsClass || !SysGetScreenOrigin(&x, &y) || !SysGetScreenSize(&width, &height))
            return false;
        m_window = SysCreateWindow(SAVER_CLASS, "OpenGL Window", STYLE_POPUP | STYLE_TOPMOST, x, y, width, height, 0);
        if (m_window == 0)
            return false;
        SysShowWindow(m_window);
        SysSetForegroundWindow(m_window);
        SysSetFocus(m_window);
        return m_gl.Init(m_window);
    } catch (...) {
        AddTrace("CSaverWnd::Create");
        throw;
    }
}

void CSaverWnd::SwapBuffers()
{
    m_gl.SwapBuffers();
}

intptr_t CSaverWnd::WndProc(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case MSG_CREATE:
        SysShowCursor(false);
        SysGetCursorPos(&g_nStartCursorX, &g_nStartCursorY);
        break;
    case MSG_CLOSE:
    case MSG_DESTROY:
        // Closing only stops the loop; the window goes when the run releases it.
        SysShowCursor(true);
        g_bRunning = 0;
        return 0;
    case MSG_ACTIVATE:
        if ((wParam & 0xFFFF) == 0)
            SysPostMessage(window, MSG_CLOSE, 0, 0);
        break;
    case MSG_ACTIVATEAPP:
        if (wParam == 0)
            SysPostMessage(window, MSG_CLOSE, 0, 0);
        break;
    case MSG_SETCURSOR:
        SysSetArrowCursor();
        break;
    case MSG_NCACTIVATE:
        if (wParam == 0)
            return 0;
        break;
    case MSG_KEYDOWN:
    case MSG_LBUTTONDOWN:
    case MSG_RBUTTONDOWN:
    case MSG_MBUTTONDOWN:
        SysPostMessage(window, MSG_CLOSE, 0, 0);
        break;
    case MSG_SYSCOMMAND:
        // The host may not start another saver over this one, and the system
        // close command does nothing here.
        if (wParam == SC_SCREENSAVE_COMMAND || wParam == SC_CLOSE_COMMAND)
            return 0;
        break;
    case MSG_MOUSEMOVE:
        if (HasPointerStrayed())
            SysPostMessage(window, MSG_CLOSE, 0, 0);
        break;
    case MSG_POWERBROADCAST:
        if (wParam == PBT_QUERYSUSPEND || wParam == PBT_SUSPEND)
            SysPostMessage(window, MSG_CLOSE, 0, 0);
        break;
    default:
        break;
    }
    return SysDefWindowProc(window, message, wParam, lParam);
}
