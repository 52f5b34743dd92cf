#pragma once
// The windows this process made, by handle (their X window id), shared by the
// files of the back end. Top-level windows are SDL's; windows inside a parent
// are plain X windows of our own connection (ChildWindow.h). Internal to the
// back end.
#include <SDL.h>
#include <string>

#include "platform/Window.h"

struct SLinuxWindow
{
    HWindow handle = 0;
    SDL_Window* sdlWindow = nullptr;  // null for a window inside a parent
    std::string className;
    WindowProc proc = nullptr;
    bool glCapable = false;   // made with a GL visual (a CLASS_OWNDC class)
    bool destroying = false;  // MSG_DESTROY is on its way
    bool adopted = false;     // another program's window: never destroyed here
    bool xGone = false;       // the X server destroyed it with its parent
};

// Null when the handle names no live window of ours.
SLinuxWindow* FindWindow(HWindow window);
SLinuxWindow* FindWindowBySdlId(Uint32 windowId);
// Calls the window's procedure (or the default one); 0 for unknown windows.
intptr_t CallWindowProc(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam);
// Posts a message to every live window of ours.
void PostToAllWindows(unsigned message, uintptr_t wParam, intptr_t lParam);
// Drops the messages still queued for a window that is going away.
void ForgetQueuedMessages(HWindow window);
