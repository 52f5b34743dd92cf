#include "render/BlackWnd.h"

#include "app/Trace.h"
#include "render/SaverWnd.h"

namespace {

const char* const BLACK_CLASS = "Quillworth Black Window";

}  // namespace

CBlackWnd::~CBlackWnd()
{
    if (m_window != 0 && SysIsWindow(m_window))
        SysDestroyWindow(m_window);
}

bool CBlackWnd::Create()
{
    try {
        const SWindowClass windowClass = {BLACK_CLASS, CLASS_OWNDC | CLASS_HREDRAW | CLASS_VREDRAW, WndProc,
                                          BACKGROUND_BLACK};
        // The class lives for the process; a later run finds it already made.
        if (!SysRegisterClass(windowClass) && !SysIsClassRegistered(BLACK_CLASS))
            return false;
        int width = 0, height = 0;
        if (!SysGetDesktopSize(&width, &height))
            return false;
        m_window = SysCreateWindow(BLACK_CLASS, "Black Window", STYLE_POPUP, 0, 0, width, height, 0);
        if (m_window == 0)
            return false;
        SysShowWindow(m_window);
        SysSetForegroundWindow(m_window);
        SysSetFocus(m_window);
        return true;
    } catch (...) {
        AddTrace("CBlackWnd::Create");
        throw;
    }
}

intptr_t CBlackWnd::WndProc(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case MSG_KEYDOWN:
    case MSG_LBUTTONDOWN:
    case MSG_RBUTTONDOWN:
    case MSG_MBUTTONDOWN:
        g_bRunning = 0;
        return 0;
    case MSG_MOUSEMOVE:
        if (HasPointerStrayed())
            g_bRunning = 0;
        return 0;
    default:
        return SysDefWindowProc(window, message, wParam, lParam);
    }
}
