#pragma once
// A host's window as the show's drawing surface: the window xscreensaver
// hands a hack, or the root window. It is not ours: no cursor, no input and
// no end of its own (the host ends the show with a signal), and it may change
// size or vanish at any moment. Owns the GL context drawn with; draws nothing.
#include "platform/Window.h"
#include "render/WinGLWrapper.h"

class CHostWnd
{
public:
    CHostWnd() = default;
    CHostWnd(const CHostWnd&) = delete;
    CHostWnd& operator=(const CHostWnd&) = delete;
    // Releases the GL context, then lets the host's window go.
    virtual ~CHostWnd();

    // Called by the hosted run: adopts the window and makes a GL context in it
    // current. False when the window does not exist or takes no context.
    bool Create(HWindow host);
    // Called before each frame: fits the GL viewport to the window's size.
    // False once the window is gone.
    bool FollowSize();
    void SwapBuffers();
    HWindow GetHWND() const { return m_window; }

private:
    CWinGLWrapper m_gl;
    HWindow m_window = 0;
    bool m_ownsClass = false;
    int m_width = 0, m_height = 0;
};
