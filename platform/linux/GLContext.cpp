// GL contexts through SDL. The window's visual (colour, depth, double
// buffering) was fixed when the window was made; a context is refused when
// that visual falls short of the format asked.
#include <SDL.h>

#include "platform/GLContext.h"
#include "platform/linux/GLDriverPin.h"
#include "platform/linux/WindowTable.h"
#include "platform/linux/XSession.h"

namespace {

bool MatchesFormat(const SPixelFormat& format)
{
    int red = 0, green = 0, blue = 0, doubleBuffer = 0;
    SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &red);
    SDL_GL_GetAttribute(SDL_GL_GREEN_SIZE, &green);
    SDL_GL_GetAttribute(SDL_GL_BLUE_SIZE, &blue);
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffer);
    return red + green + blue >= format.colorBits && (doubleBuffer != 0) == format.doubleBuffer;
}

}  // namespace

HGLContext SysCreateGLContext(HWindow handle, const SPixelFormat& format)
{
    SLinuxWindow* window = FindWindow(handle);
    if (!window || !window->glCapable)
        return 0;
    // SDL reads a foreign window's attributes without checking the answer, so
    // a host window destroyed meanwhile (xscreensaver ending a show as it
    // starts) would crash the context's creation: look first.
    if (window->adopted && !DoesXWindowExist(handle))
        return 0;
    SDL_GLContext context = SDL_GL_CreateContext(window->sdlWindow);
    if (!context)
        return 0;
    PinGLDriver();
    if (!MatchesFormat(format)) {
        SDL_GL_DeleteContext(context);
        return 0;
    }
    return reinterpret_cast<HGLContext>(context);
}

bool SysMakeCurrent(HWindow handle, HGLContext context)
{
    if (context == 0)
        return SDL_GL_MakeCurrent(nullptr, nullptr) == 0;
    SLinuxWindow* window = FindWindow(handle);
    if (!window)
        return false;
    return SDL_GL_MakeCurrent(window->sdlWindow, reinterpret_cast<SDL_GLContext>(context)) == 0;
}

void SysDeleteGLContext(HGLContext context)
{
    if (context != 0)
        SDL_GL_DeleteContext(reinterpret_cast<SDL_GLContext>(context));
}

void SysSwapBuffers(HWindow handle)
{
    if (SLinuxWindow* window = FindWindow(handle))
        SDL_GL_SwapWindow(window->sdlWindow);
}

bool SysSetSwapInterval(int interval)
{
    return SDL_GL_SetSwapInterval(interval) == 0;
}
