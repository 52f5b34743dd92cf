#pragma once
// The window system's binding of OpenGL to one of our windows.
#include "platform/Window.h"

typedef uintptr_t HGLContext;  // 0: none

struct SPixelFormat
{
    int colorBits;  // colour bits per pixel, without alpha
    int depthBits;  // the deepest depth buffer up to this many bits is taken
    bool doubleBuffer;
};

// Creates a rendering context for a window of a CLASS_OWNDC class and makes it
// current; 0 on failure. On X11 a window's visual is fixed when it is made, so
// such a window is made GL-capable from the start: double buffered, 24 colour
// bits and the deepest depth buffer the display offers of 32, 24 or 16 bits. A
// context is refused when that visual falls short of the format's colour bits
// or double buffering. On Windows the pixel format is chosen per window, and a
// display shallower than the colour bits (16 bits) needs only its own depth.
HGLContext SysCreateGLContext(HWindow window, const SPixelFormat& format);
// Makes the context current on this thread for the window; (0, 0) detaches.
bool SysMakeCurrent(HWindow window, HGLContext context);
void SysDeleteGLContext(HGLContext context);
// Shows the back buffer; with a swap interval of 1 it waits for the display's refresh.
void SysSwapBuffers(HWindow window);
// How many refreshes each swap of the current context waits for: 1 to wait
// for the next, 0 not to wait. False when the driver cannot be told (no swap
// control, as under Xvfb).
bool SysSetSwapInterval(int interval);
