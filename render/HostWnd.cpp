#include "render/HostWnd.h"

#include <GL/gl.h>

#include "app/Trace.h"

namespace {

const char* const HOST_CLASS = "Quillworth Host Window";

}  // namespace

CHostWnd::~CHostWnd()
{
    m_gl.Release();
    if (m_window != 0)
        SysDestroyWindow(m_window);
    if (m_ownsClass)
        SysUnregisterClass(HOST_CLASS);
}

bool CHostWnd::Create(HWindow host)
{
    try {
        const SWindowClass windowClass = {HOST_CLASS, CLASS_OWNDC, SysDefWindowProc, BACKGROUND_NONE};
        m_ownsClass = SysRegisterClass(windowClass);
        if (!m_ownsClass)
            return false;
        m_window = SysAdoptWindow(HOST_CLASS, host);
        return m_window != 0 && m_gl.Init(m_window) && FollowSize();
    } catch (...) {
        AddTrace("CHostWnd::Create");
        throw;
    }
}

bool CHostWnd::FollowSize()
{
    int width = 0, height = 0;
    if (!SysGetClientSize(m_window, &width, &height))
        return false;
    if (width != m_width || height != m_height) {
        m_width = width;
        m_height = height;
        glViewport(0, 0, width, height);
    }
    return true;
}

void CHostWnd::SwapBuffers()
{
    m_gl.SwapBuffers();
}
