#pragma once
// The black cover over the whole desktop while the display mode changes and
// while the password is asked for after the show. The X server paints it; it
// has no procedure of its own and draws nothing.
#include "platform/Window.h"

class CBlackWnd
{
public:
    CBlackWnd() = default;
    CBlackWnd(const CBlackWnd&) = delete;
    CBlackWnd& operator=(const CBlackWnd&) = delete;
    // Destroys the window if it still exists.
    virtual ~CBlackWnd();

    // Called by CSaverApp::DoSaver before any mode switch: covers the screen
    // as it is now. False when no window could be made; the run goes on.
    bool Create();
    HWindow GetHWND() const { return m_window; }

private:
    HWindow m_window = 0;
};
