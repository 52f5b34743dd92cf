#pragma once
// The full-screen saver window: topmost, covering the primary screen (the
// black window covers the other monitors), owning
// the GL context the scene is drawn with. Its window procedure turns the
// user's first sign of life (a key, a button, a real pointer move, losing
// activation, a suspend) into the end of the run. It draws nothing itself.
#include "platform/Window.h"
#include "render/WinGLWrapper.h"

// Where the pointer was when the saver window was made. Moves are measured
// from here, so small jitter never ends the run however often it comes.
extern int g_nStartCursorX;
extern int g_nStartCursorY;

// Farthest the pointer may stray along either axis, in screen pixels.
const int SAVER_MOVE_TOLERANCE = 30;

// True once the pointer is farther than that from where it was at the start.
bool HasPointerStrayed();

class CSaverWnd
{
public:
    CSaverWnd() = default;
    CSaverWnd(const CSaverWnd&) = delete;
    CSaverWnd& operator=(const CSaverWnd&) = delete;
    // Releases the GL context first, then destroys the window if it still exists.
    virtual ~CSaverWnd();

    // Called by CSaverApp::DoSaver after any mode switch: makes the window at
    // (0, 0) with the screen's size as it is now, shows it with the focus and
    // makes its GL context current. False when the window or context fails.
    bool Create();
    HWindow GetHWND() const { return m_window; }
    // Called once per frame after drawing.
    void SwapBuffers();

    static intptr_t WndProc(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam);

private:
    CWinGLWrapper m_gl;
    HWindow m_window = 0;
    bool m_ownsClass = false;
};
