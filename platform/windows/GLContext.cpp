// WGL: a pixel format chosen for the window's own device context, then a
// rendering context on it. The class keeps one device context per window
// (CS_OWNDC), so GetDC hands back the same one every time.
#include <GL/gl.h>

#include <algorithm>

#include "platform/GLContext.h"
#include "platform/windows/WindowClasses.h"

namespace {

PIXELFORMATDESCRIPTOR DescribeFormat(const SPixelFormat& format)
{
    PIXELFORMATDESCRIPTOR descriptor = {};
    descriptor.nSize = sizeof descriptor;
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | (format.doubleBuffer ? PFD_DOUBLEBUFFER : 0);
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = static_cast<BYTE>(format.colorBits);
    descriptor.cDepthBits = static_cast<BYTE>(format.depthBits);
    descriptor.iLayerType = PFD_MAIN_PLANE;
    return descriptor;
}

// The colour bits a format must reach: what the show asks for, but never
// more than the display itself has, since the closest format the host offers
// on a 16-bit display has 16.
int GetNeededColorBits(HDC dc, const SPixelFormat& format)
{
    const int displayBits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    return displayBits > 0 ? std::min(format.colorBits, displayBits) : format.colorBits;
}

// The closest format may still fall short of what the show needs.
bool SetFormat(HDC dc, const SPixelFormat& format)
{
    const PIXELFORMATDESCRIPTOR wanted = DescribeFormat(format);
    const int index = ChoosePixelFormat(dc, &wanted);
    PIXELFORMATDESCRIPTOR chosen = {};
    if (index == 0 || !DescribePixelFormat(dc, index, sizeof chosen, &chosen))
        return false;
    const bool doubleBuffer = (chosen.dwFlags & PFD_DOUBLEBUFFER) != 0;
    if (chosen.iPixelType != PFD_TYPE_RGBA || chosen.cColorBits < GetNeededColorBits(dc, format) ||
        doubleBuffer != format.doubleBuffer)
        return false;
    return SetPixelFormat(dc, index, &chosen) != FALSE;
}

}  // namespace

HGLContext SysCreateGLContext(HWindow window, const SPixelFormat& format)
{
    if (!IsOwnWindow(ToHwnd(window)))
        return 0;
    const HDC dc = GetDC(ToHwnd(window));
    if (!dc)
        return 0;
    if (!SetFormat(dc, format))
        return 0;
    const HGLRC context = wglCreateContext(dc);
    return reinterpret_cast<HGLContext>(context);
}

bool SysMakeCurrent(HWindow window, HGLContext context)
{
    if (context == 0)
        return wglMakeCurrent(nullptr, nullptr) != FALSE;
    if (!IsOwnWindow(ToHwnd(window)))
        return false;
    return wglMakeCurrent(GetDC(ToHwnd(window)), reinterpret_cast<HGLRC>(context)) != FALSE;
}

void SysDeleteGLContext(HGLContext context)
{
    if (context != 0)
        wglDeleteContext(reinterpret_cast<HGLRC>(context));
}

void SysSwapBuffers(HWindow window)
{
    if (IsOwnWindow(ToHwnd(window)))
        SwapBuffers(GetDC(ToHwnd(window)));
}

bool SysSetSwapInterval(int interval)
{
    // An extension: its entry point exists only while a context is current.
    typedef BOOL(WINAPI * SwapIntervalProc)(int);
    const auto swapInterval = reinterpret_cast<SwapIntervalProc>(wglGetProcAddress("wglSwapIntervalEXT"));
    return swapInterval && swapInterval(interval) != FALSE;
}
