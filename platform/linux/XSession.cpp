#include "platform/linux/XSession.h"

#include <SDL.h>
#include <cstdio>

#include "platform/Window.h"
#include "platform/linux/QuitSignals.h"
#include "platform/linux/SuspendWatch.h"

namespace {

Display* g_display = nullptr;
bool g_triedDisplay = false;
bool g_videoStarted = false;
bool g_triedVideo = false;

// Xlib's own handler ends the process; an X error here (a foreign window gone
// before us, a refused request) is the window system's news, not our crash.
// A host that ends a show destroys its window at once, and the requests
// still on their way to it fail: that is the expected end, not worth a word.
int LogXError(Display* display, XErrorEvent* error)
{
    if (error->error_code == BadWindow || error->error_code == BadDrawable)
        return 0;
    char text[256] = {};
    XGetErrorText(display, error->error_code, text, sizeof(text));
    std::fprintf(stderr, "coralux: X error: %s (request %d.%d, resource 0x%lx)\n", text, error->request_code,
                 error->minor_code, error->resourceid);
    return 0;
}

bool g_sawXError = false;

int NoteXError(Display*, XErrorEvent*)
{
    g_sawXError = true;
    return 0;
}

}  // namespace

bool GetXWindowAttributes(unsigned long window, XWindowAttributes* attributes)
{
    Display* display = GetXDisplay();
    if (!display || window == 0)
        return false;
    // A window that is gone answers with BadWindow: expected here, so not logged.
    XSync(display, False);
    g_sawXError = false;
    auto previous = XSetErrorHandler(NoteXError);
    const Status status = XGetWindowAttributes(display, static_cast<Window>(window), attributes);
    XSync(display, False);
    XSetErrorHandler(previous);
    return status != 0 && !g_sawXError;
}

bool DoesXWindowExist(unsigned long window)
{
    XWindowAttributes attributes = {};
    return GetXWindowAttributes(window, &attributes);
}

Display* GetXDisplay()
{
    if (!g_triedDisplay) {
        g_triedDisplay = true;
        g_display = XOpenDisplay(nullptr);
        if (g_display)
            XSetErrorHandler(LogXError);
        else
            std::fprintf(stderr, "coralux: cannot open the X display \"%s\"; no display to show on\n",
                         XDisplayName(nullptr));
    }
    return g_display;
}

bool StartVideo()
{
    if (g_triedVideo)
        return g_videoStarted;
    g_triedVideo = true;

    // The run loops turn SIGTERM and SIGINT into the quit message themselves.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    // The saver ends on losing focus; SDL must not iconify it first.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // SDL holds off the X server's saver and the display's power saving while
    // it runs; a screen saver must let the monitor sleep as set.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    if (!GetXDisplay())
        return false;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "coralux: cannot start the video system: %s\n", SDL_GetError());
        return false;
    }
    // SDL puts in a handler of its own that ends the process; ours only logs.
    XSetErrorHandler(LogXError);
    InstallQuitSignals();
    WatchForSuspend();
    g_videoStarted = true;
    return true;
}

bool IsVideoStarted()
{
    return g_videoStarted;
}

void SysCloseDisplay()
{
    if (g_videoStarted) {
        ForgetArrowCursor();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    if (g_display)
        XCloseDisplay(g_display);
    g_display = nullptr;
    g_triedDisplay = g_triedVideo = g_videoStarted = false;
}
