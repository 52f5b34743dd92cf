#pragma once
// The window system's binding of OpenGL to one of our windows.
#include "platform/Window.h"

typedef uintptr_t HGLContext;   // 0: none

struct SPixelFormat
{
    int colorBits;      // colour bits per pixel, without alpha
    int depthBits;      // the deepest depth buffer up to this many bits is taken
    bool doubleBuffer;
};

// Creates a rendering context for a window of a CLASS_OWNDC class; 0 on failure.
HGLContext SysCreateGLContext(HWindow window, const SPixelFormat& format);
// Makes the context current on this thread for the window; (0, 0) detaches.
bool SysMakeCurrent(HWindow window, HGLContext context);
void SysDeleteGLContext(HGLContext context);
// Shows the back buffer. Where the display offers it, waits for its refresh.
void SysSwapBuffers(HWindow window);
