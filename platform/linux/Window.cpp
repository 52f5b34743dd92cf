// Window classes and windows: top-level ones on SDL, those inside a parent on
// Xlib, all with the X window id as our handle.
#include <SDL.h>
#include <SDL_syswm.h>
#include <map>
#include <memory>
#include <string>

#include "platform/linux/ChildWindow.h"
#include "platform/linux/GLDriverPin.h"
#include "platform/linux/WindowTable.h"
#include "platform/linux/XSession.h"

namespace {

struct SClassRecord
{
    unsigned style;
    WindowProc proc;
    EClassBackground background;
};

std::map<std::string, SClassRecord> g_classes;
std::map<HWindow, std::unique_ptr<SLinuxWindow>> g_windows;

// Depth buffers tried for a GL window, deepest first: an X visual is fixed
// when the window is made, so the choice happens here and not at context time.
const int GL_DEPTH_CHOICES[] = {32, 24, 16};
const int GL_CHANNEL_BITS = 8;  // 24 colour bits, no alpha asked

Uint32 GetSdlFlags(unsigned style, bool gl)
{
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    if (style & STYLE_TOPMOST)
        flags |= SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR;
    if (gl)
        flags |= SDL_WINDOW_OPENGL;
    return flags;
}

SDL_Window* MakeGLWindow(const char* title, int x, int y, int width, int height, Uint32 flags)
{
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, GL_CHANNEL_BITS);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, GL_CHANNEL_BITS);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, GL_CHANNEL_BITS);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    for (int depth : GL_DEPTH_CHOICES) {
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
        if (SDL_Window* window = SDL_CreateWindow(title, x, y, width, height, flags)) {
            PinGLDriver();
            return window;
        }
    }
    return nullptr;
}

HWindow GetXWindowId(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return 0;
    return static_cast<HWindow>(info.info.x11.window);
}

// The X server then fills the window black itself, before and between frames.
void SetBlackBackground(HWindow window)
{
    Display* display = GetXDisplay();
    XSetWindowBackground(display, window, BlackPixel(display, DefaultScreen(display)));
    XClearWindow(display, window);
    XFlush(display);
}

// An SDL window; 0 when there is no display or SDL refuses.
HWindow MakeTopLevelWindow(SLinuxWindow& window, const SClassRecord& windowClass, const char* title, unsigned style,
                           int x, int y, int width, int height)
{
    if (!StartVideo())
        return 0;
    window.glCapable = (windowClass.style & CLASS_OWNDC) != 0;
    const Uint32 flags = GetSdlFlags(style, window.glCapable);
    window.sdlWindow = window.glCapable ? MakeGLWindow(title, x, y, width, height, flags)
                                        : SDL_CreateWindow(title, x, y, width, height, flags);
    if (!window.sdlWindow)
        return 0;
    const HWindow handle = GetXWindowId(window.sdlWindow);
    if (handle == 0)
        SDL_DestroyWindow(window.sdlWindow);
    return handle;
}

}  // namespace

SLinuxWindow* FindWindow(HWindow window)
{
    auto found = g_windows.find(window);
    return found == g_windows.end() ? nullptr : found->second.get();
}

SLinuxWindow* FindWindowBySdlId(Uint32 windowId)
{
    SDL_Window* sdlWindow = SDL_GetWindowFromID(windowId);
    for (auto& [handle, window] : g_windows) {
        if (window->sdlWindow == sdlWindow)
            return window.get();
    }
    return nullptr;
}

intptr_t CallWindowProc(HWindow handle, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    SLinuxWindow* window = FindWindow(handle);
    if (!window)
        return 0;
    WindowProc proc = window->proc ? window->proc : SysDefWindowProc;
    return proc(handle, message, wParam, lParam);
}

void PostToAllWindows(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    for (auto& [handle, window] : g_windows)
        SysPostMessage(handle, message, wParam, lParam);
}

bool SysRegisterClass(const SWindowClass& windowClass)
{
    if (!windowClass.name || g_classes.count(windowClass.name))
        return false;
    g_classes[windowClass.name] = {windowClass.style, windowClass.proc, windowClass.background};
    return true;
}

bool SysUnregisterClass(const char* name)
{
    if (!SysIsClassRegistered(name))
        return false;
    for (auto& [handle, window] : g_windows) {
        if (window->className == name)
            return false;
    }
    g_classes.erase(name);
    return true;
}

bool SysIsClassRegistered(const char* name)
{
    return name && g_classes.count(name) != 0;
}

HWindow SysCreateWindow(const char* className, const char* title, unsigned style, int x, int y, int width, int height,
                        HWindow parent)
{
    auto found = className ? g_classes.find(className) : g_classes.end();
    if (found == g_classes.end())
        return 0;
    const SClassRecord& windowClass = found->second;

    auto window = std::make_unique<SLinuxWindow>();
    window->className = className;
    window->proc = windowClass.proc;
    window->handle = parent != 0 ? CreateXChildWindow(parent, title, x, y, width, height)
                                 : MakeTopLevelWindow(*window, windowClass, title, style, x, y, width, height);
    if (window->handle == 0)
        return 0;
    if (windowClass.background == BACKGROUND_BLACK)
        SetBlackBackground(window->handle);

    const HWindow handle = window->handle;
    g_windows[handle] = std::move(window);
    if (CallWindowProc(handle, MSG_CREATE, 0, 0) == -1) {
        SysDestroyWindow(handle);
        return 0;
    }
    if (style & STYLE_VISIBLE)
        SysShowWindow(handle);
    return handle;
}

HWindow SysAdoptWindow(const char* className, HWindow foreign)
{
    auto found = className ? g_classes.find(className) : g_classes.end();
    if (found == g_classes.end() || FindWindow(foreign) || !StartVideo() || !DoesXWindowExist(foreign))
        return 0;
    auto window = std::make_unique<SLinuxWindow>();
    window->className = className;
    window->proc = found->second.proc;
    window->glCapable = (found->second.style & CLASS_OWNDC) != 0;
    window->adopted = true;
    // The window's own visual decides the GL format; no attribute may ask for another.
    SDL_GL_ResetAttributes();
    window->sdlWindow = SDL_CreateWindowFrom(reinterpret_cast<const void*>(foreign));
    if (!window->sdlWindow)
        return 0;
    window->handle = foreign;
    g_windows[foreign] = std::move(window);
    if (CallWindowProc(foreign, MSG_CREATE, 0, 0) == -1) {
        SysDestroyWindow(foreign);
        return 0;
    }
    return foreign;
}

HWindow SysGetRootWindow()
{
    Display* display = GetXDisplay();
    return display ? static_cast<HWindow>(DefaultRootWindow(display)) : 0;
}

bool SysDestroyWindow(HWindow handle)
{
    SLinuxWindow* window = FindWindow(handle);
    if (!window || window->destroying)
        return false;
    window->destroying = true;
    CallWindowProc(handle, MSG_DESTROY, 0, 0);
    ForgetQueuedMessages(handle);
    // The procedure may have looked the window up again; it is still ours until here.
    auto found = g_windows.find(handle);
    std::unique_ptr<SLinuxWindow> gone = std::move(found->second);
    g_windows.erase(found);
    if (gone->sdlWindow) {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        Display* sdlDisplay = SDL_GetWindowWMInfo(gone->sdlWindow, &info) ? info.info.x11.display : nullptr;
        SDL_DestroyWindow(gone->sdlWindow);
        // Gone for every client once we return, not when SDL's connection gets round to it.
        if (sdlDisplay)
            XSync(sdlDisplay, False);
    } else if (!gone->xGone) {
        DestroyXChildWindow(handle);
    }
    return true;
}

bool SysIsWindow(HWindow window)
{
    return FindWindow(window) != nullptr || DoesXWindowExist(window);
}

void SysShowWindow(HWindow handle)
{
    // SDL waits for the server to map the window, so focus can follow at once.
    SLinuxWindow* window = FindWindow(handle);
    if (window && window->sdlWindow)
        SDL_ShowWindow(window->sdlWindow);
    else if (window)
        MapXChildWindow(handle);
}

void SysSetForegroundWindow(HWindow handle)
{
    SLinuxWindow* window = FindWindow(handle);
    if (window && window->sdlWindow)
        SDL_RaiseWindow(window->sdlWindow);
}

void SysSetFocus(HWindow handle)
{
    SLinuxWindow* window = FindWindow(handle);
    if (window && window->sdlWindow)
        SDL_SetWindowInputFocus(window->sdlWindow);
}

bool SysGetClientSize(HWindow handle, int* width, int* height)
{
    SLinuxWindow* window = FindWindow(handle);
    // SDL hears nothing of another program's windows, adopted or not, nor of
    // ours inside them: ask the server.
    if (!window || !window->sdlWindow || window->adopted)
        return GetXWindowSize(handle, width, height);
    SDL_GetWindowSize(window->sdlWindow, width, height);
    return true;
}

intptr_t SysDefWindowProc(HWindow window, unsigned message, uintptr_t wParam, intptr_t)
{
    switch (message) {
    case MSG_CLOSE:
        SysDestroyWindow(window);
        return 0;
    case MSG_SETCURSOR:
        SysSetArrowCursor();
        return 1;
    case MSG_SYSCOMMAND:
        if (wParam == SC_CLOSE_COMMAND)
            SysPostMessage(window, MSG_CLOSE, 0, 0);
        return 0;
    default:
        return 0;
    }
}
