#pragma once
// The GL rendering context of one window, current on the main thread from Init
// to Release. The saver window owns one; tests make their own on a test window.
// It draws nothing itself.
#include "platform/GLContext.h"

// What the scene needs: 24 colour bits, the deepest depth buffer up to 32 bits
// (fish are ordered by depth), double buffering so frames never tear.
const SPixelFormat SAVER_PIXEL_FORMAT = {24, 32, true};

class CWinGLWrapper
{
public:
    CWinGLWrapper() = default;
    CWinGLWrapper(const CWinGLWrapper&) = delete;
    CWinGLWrapper& operator=(const CWinGLWrapper&) = delete;
    virtual ~CWinGLWrapper();

    // Called by the window's owner right after making the window: creates the
    // context and makes it current. False (with nothing held) on failure.
    bool Init(HWindow window);
    // Detaches and deletes the context; harmless when there is none.
    void Release();
    // Called once per frame: flushes the GL commands, then shows the back buffer.
    void SwapBuffers();

private:
    HWindow m_window = 0;
    HGLContext m_context = 0;
};
