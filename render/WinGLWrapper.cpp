#include "render/WinGLWrapper.h"

#include <GL/gl.h>

#include "app/Trace.h"

CWinGLWrapper::~CWinGLWrapper()
{
    Release();
}

bool CWinGLWrapper::Init(HWindow window)
{
    try {
        m_window = window;
        m_context = SysCreateGLContext(window, SAVER_PIXEL_FORMAT);
        if (m_context == 0 || !SysMakeCurrent(window, m_context)) {
            Release();
            return false;
        }
        return true;
    } catch (...) {
        AddTrace("CWinGLWrapper::Init");
        throw;
    }
}

void CWinGLWrapper::Release()
{
    if (m_context == 0)
        return;
    SysMakeCurrent(0, 0);
    SysDeleteGLContext(m_context);
    m_context = 0;
}

void CWinGLWrapper::SwapBuffers()
{
    if (m_context == 0)
        return;
    glFlush();
    SysSwapBuffers(m_window);
}
