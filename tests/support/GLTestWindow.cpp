#include "tests/support/GLTestWindow.h"

#include <GL/gl.h>

#include "platform/Window.h"

namespace {

const char* const TEST_WINDOW_CLASS = "Coralux GL Test Window";

bool RegisterTestClass()
{
    if (SysIsClassRegistered(TEST_WINDOW_CLASS))
        return true;
    const SWindowClass windowClass = {TEST_WINDOW_CLASS, CLASS_OWNDC | CLASS_HREDRAW | CLASS_VREDRAW, nullptr,
                                      BACKGROUND_NONE};
    return SysRegisterClass(windowClass);
}

}  // namespace

CGLTestWindow::CGLTestWindow(int width, int height) : m_width(width), m_height(height)
{
    if (!RegisterTestClass())
        return;
    m_window =
        SysCreateWindow(TEST_WINDOW_CLASS, "GL Test Window", STYLE_POPUP | STYLE_VISIBLE, 0, 0, width, height, 0);
    m_ready = m_window != 0 && m_gl.Init(m_window);
    if (m_ready)
        glViewport(0, 0, width, height);
}

CGLTestWindow::~CGLTestWindow()
{
    m_gl.Release();
    if (m_window != 0)
        SysDestroyWindow(m_window);
}

void CGLTestWindow::Swap()
{
    m_gl.SwapBuffers();
}

std::vector<uint8_t> CGLTestWindow::ReadPixels() const
{
    std::vector<uint8_t> pixels(static_cast<size_t>(m_width) * m_height * 4);
    if (!m_ready)
        return pixels;
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
