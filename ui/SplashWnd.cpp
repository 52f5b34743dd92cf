#include "ui/SplashWnd.h"

#include <algorithm>

#include "app/Trace.h"

std::vector<CSplashWnd*> g_SplashWindows;
CSplashWnd* g_pCreatingSplash = nullptr;

namespace {

const char* const SPLASH_CLASS = "Quillworth Splash Window";

// Resets the object being created however the creation ends.
struct SCreatingScope
{
    explicit SCreatingScope(CSplashWnd* splash) { g_pCreatingSplash = splash; }
    ~SCreatingScope() { g_pCreatingSplash = nullptr; }
};

}  // namespace

CSplashWnd::CSplashWnd()
{
    g_SplashWindows.push_back(this);
}

CSplashWnd::~CSplashWnd()
{
    // While still listed, so that MSG_DESTROY reaches this object and frees the bitmap.
    if (m_window != 0 && SysIsWindow(m_window))
        SysDestroyWindow(m_window);
    SysDeleteBitmap(m_bitmap);
    auto found = std::find(g_SplashWindows.begin(), g_SplashWindows.end(), this);
    if (found != g_SplashWindows.end())
        g_SplashWindows.erase(found);
}

bool CSplashWnd::Create(HWindow parent, int bitmapId)
{
    try {
        m_bitmapId = bitmapId;
        // Every picture window shares the class: the second one finds it made.
        const SWindowClass windowClass = {SPLASH_CLASS, CLASS_OWNDC | CLASS_HREDRAW | CLASS_VREDRAW, StaticWndProc,
                                          BACKGROUND_NONE};
        if (!SysRegisterClass(windowClass) && !SysIsClassRegistered(SPLASH_CLASS))
            return false;
        int width = 0, height = 0;
        if (parent == 0 || !SysGetClientSize(parent, &width, &height))
            return false;
        HWindow window = 0;
        {
            SCreatingScope creating(this);
            window = SysCreateWindow(SPLASH_CLASS, "Splash Window", STYLE_CHILD | STYLE_VISIBLE, 0, 0, width, height,
                                     parent);
        }
        if (window == 0)
            return false;
        m_window = window;
        SysShowWindow(m_window);
        return true;
    } catch (...) {
        AddTrace("CSplashWnd::Create");
        throw;
    }
}

intptr_t CSplashWnd::StaticWndProc(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    if (CSplashWnd* creating = g_pCreatingSplash) {
        creating->m_window = window;
        return creating->WndProc(window, message, wParam, lParam);
    }
    for (CSplashWnd* splash : g_SplashWindows) {
        if (splash->m_window == window)
            return splash->WndProc(window, message, wParam, lParam);
    }
    return SysDefWindowProc(window, message, wParam, lParam);
}

intptr_t CSplashWnd::WndProc(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    try {
        switch (message) {
        case MSG_CREATE:
            // Scaled once here; painting is then a plain copy.
            if (SysGetClientSize(window, &m_width, &m_height))
                m_bitmap = SysLoadBitmap(m_bitmapId, m_width, m_height);
            break;
        case MSG_PAINT:
            SysDrawBitmap(window, m_bitmap, m_width, m_height);
            return 0;
        case MSG_CLOSE:
            SysDestroyWindow(window);
            return 0;
        case MSG_DESTROY:
            SysDeleteBitmap(m_bitmap);
            m_bitmap = 0;
            // The handle may be reused once the window is gone.
            m_window = 0;
            g_bRunning = 0;
            return 0;
        default:
            break;
        }
        return SysDefWindowProc(window, message, wParam, lParam);
    } catch (...) {
        AddTrace("CSplashWnd::WndProc");
        throw;
    }
}
