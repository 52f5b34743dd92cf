#pragma once
// A window at (0, 0) with a current GL context of the saver's pixel format, for
// tests that draw and check real pixels. Needs a display (the tests run under
// Xvfb); IsReady() says whether the window and context were made.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/WinGLWrapper.h"

class CGLTestWindow
{
public:
    CGLTestWindow(int width, int height);
    ~CGLTestWindow();
    CGLTestWindow(const CGLTestWindow&) = delete;
    CGLTestWindow& operator=(const CGLTestWindow&) = delete;

    bool IsReady() const { return m_ready; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    HWindow GetWindow() const { return m_window; }
    void Swap();

    // The back buffer as drawn so far (read it before Swap): RGBA bytes, rows
    // bottom-up as glReadPixels gives them.
    std::vector<uint8_t> ReadPixels() const;

private:
    int m_width;
    int m_height;
    HWindow m_window = 0;
    CWinGLWrapper m_gl;
    bool m_ready = false;
};
