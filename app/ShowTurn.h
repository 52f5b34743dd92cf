#pragma once
// One turn of a show's loop, the full-screen show's and the hosted one's: a
// waiting message always comes first; else a frame once one is due, unless
// nothing of the show can be seen. Unseen, the show draws nothing and its
// sound rests until it is seen again.
#include "app/FramePacer.h"
#include "platform/Window.h"
#include "render/GLDrawerI.h"
#include "sound/Sound.h"

// While nothing of the show can be seen it looks again this often, in milliseconds.
const uint32_t UNSEEN_WAIT_MS = 250;

template <class TWindow>
void RunShowTurn(TWindow& window, CGLDrawerI& drawer, CFramePacer& pacer, SMessage* message)
{
    if (SysPeekMessage(message)) {
        SysDispatchMessage(*message);
        return;
    }
    if (!SysIsWindowSeen(window.GetHWND())) {
        RestSounds();
        SysWaitMessage(UNSEEN_WAIT_MS);
        return;
    }
    ResumeSounds();
    if (!pacer.WaitForFrame())
        return;
    drawer.Draw();
    window.SwapBuffers();
    pacer.FrameShown();
    UpdateSounds();
}
