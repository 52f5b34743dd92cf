// The pointer: a show count as the host keeps it, the arrow, and the exact
// screen position read from the server (SDL's copy lags behind real motion).
#include <SDL.h>

#include "platform/Window.h"
#include "platform/linux/XSession.h"

namespace {

int g_cursorCount = 0;  // shown while >= 0
SDL_Cursor* g_arrow = nullptr;

}  // namespace

int SysShowCursor(bool show)
{
    g_cursorCount += show ? 1 : -1;
    if (IsVideoStarted())
        SDL_ShowCursor(g_cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return g_cursorCount;
}

void SysSetArrowCursor()
{
    if (!IsVideoStarted())
        return;
    if (!g_arrow)
        g_arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    if (g_arrow)
        SDL_SetCursor(g_arrow);
}

void ForgetArrowCursor()
{
    if (g_arrow)
        SDL_FreeCursor(g_arrow);
    g_arrow = nullptr;
}

bool SysGetCursorPos(int* x, int* y)
{
    Display* display = GetXDisplay();
    if (!display)
        return false;
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned buttons = 0;
    // False when the pointer is on another screen of the display.
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX, &windowY,
                       &buttons))
        return false;
    *x = rootX;
    *y = rootY;
    return true;
}
