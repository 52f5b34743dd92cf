#pragma once
// The black cover over the whole desktop, every monitor included, while the
// display mode changes, while the show runs on the primary screen, and while
// the password is asked for after the show. The X server paints it; it draws
// nothing. A key, a click or a real pointer move over it ends the show, as
// over the saver window.
#include "platform/Window.h"

class CBlackWnd
{
public:
    CBlackWnd() = default;
    CBlackWnd(const CBlackWnd&) = delete;
    CBlackWnd& operator=(const CBlackWnd&) = delete;
    // Destroys the window if it still exists.
    virtual ~CBlackWnd();

    // Called by CSaverApp::DoSaver before any mode switch: covers the desktop
    // as it is now. False when no window could be made; the run goes on.
    bool Create();
    HWindow GetHWND() const { return m_window; }

    static intptr_t WndProc(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam);

private:
    HWindow m_window = 0;
};
