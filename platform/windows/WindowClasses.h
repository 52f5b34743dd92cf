#pragma once
// Our window procedures by class, shared by the files of platform/windows.
// Every class of ours is registered with one routing procedure that finds the
// program's procedure by the window's class atom. Internal to the back end.
#include <windows.h>

#include "platform/Window.h"

inline HWND ToHwnd(HWindow window)
{
    return reinterpret_cast<HWND>(window);
}

inline HWindow ToHandle(HWND window)
{
    return reinterpret_cast<HWindow>(window);
}

// True for a live window made by this process (not the preview host's).
bool IsOwnWindow(HWND window);

// Keeps the display's power state from the system's announcements to a
// window of ours; RouteMessage hands it every message first.
void NoteDisplayState(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
