#include "platform/linux/ChildWindow.h"

#include <poll.h>

#include "platform/Clock.h"
#include "platform/linux/WindowTable.h"
#include "platform/linux/XSession.h"

namespace {

bool g_madeChild = false;  // our connection carries child-window events from then on
bool g_sawXError = false;

int NoteXError(Display*, XErrorEvent*)
{
    g_sawXError = true;
    return 0;
}

void OnXEvent(const XEvent& event)
{
    switch (event.type) {
    case Expose:
        // One paint for a run of exposures: it copies the whole picture anyway.
        if (event.xexpose.count == 0 && FindWindow(event.xexpose.window))
            SysPostMessage(event.xexpose.window, MSG_PAINT, 0, 0);
        break;
    case DestroyNotify:
        // The parent took it with it: the program still hears MSG_DESTROY.
        if (SLinuxWindow* window = FindWindow(event.xdestroywindow.window)) {
            window->xGone = true;
            SysDestroyWindow(window->handle);
        }
        break;
    default:
        break;
    }
}

// Looks at the socket before asking Xlib to read it: the preview asks a
// hundred times a second, and a read that finds nothing costs more than a
// look. Our requests are flushed where they are made.
bool HasXEvents(Display* display)
{
    if (XEventsQueued(display, QueuedAlready) > 0)
        return true;
    pollfd watch = {ConnectionNumber(display), POLLIN, 0};
    return poll(&watch, 1, 0) > 0 && XPending(display) > 0;
}

}  // namespace

unsigned long CreateXChildWindow(unsigned long parent, const char* title, int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0 || !DoesXWindowExist(parent))
        return 0;
    Display* display = GetXDisplay();
    // The parent may go between the look and the creation: that error is
    // expected, so it is noted here rather than logged.
    g_sawXError = false;
    auto previous = XSetErrorHandler(NoteXError);
    XSetWindowAttributes attributes = {};
    attributes.background_pixmap = None;  // nothing is erased before the picture is copied
    attributes.event_mask = ExposureMask | StructureNotifyMask;
    const Window window = XCreateWindow(display, parent, x, y, width, height, 0, CopyFromParent, InputOutput,
                                        CopyFromParent, CWBackPixmap | CWEventMask, &attributes);
    if (title)
        XStoreName(display, window, title);
    XSync(display, False);
    XSetErrorHandler(previous);
    if (g_sawXError)
        return 0;
    g_madeChild = true;
    return window;
}

void DestroyXChildWindow(unsigned long window)
{
    if (DoesXWindowExist(window)) {
        XDestroyWindow(GetXDisplay(), window);
        XFlush(GetXDisplay());
    }
}

void MapXChildWindow(unsigned long window)
{
    XMapWindow(GetXDisplay(), window);
    XFlush(GetXDisplay());
}

bool GetXWindowSize(unsigned long window, int* width, int* height)
{
    XWindowAttributes attributes = {};
    if (!GetXWindowAttributes(window, &attributes))
        return false;
    *width = attributes.width;
    *height = attributes.height;
    return true;
}

void PumpXChildEvents()
{
    if (!g_madeChild)
        return;
    Display* display = GetXDisplay();
    while (HasXEvents(display)) {
        XEvent event;
        XNextEvent(display, &event);
        OnXEvent(event);
    }
}

void WaitForXChildEvents(uint32_t milliseconds)
{
    if (!g_madeChild) {
        SysSleep(milliseconds);
        return;
    }
    Display* display = GetXDisplay();
    if (HasXEvents(display))
        return;
    pollfd watch = {ConnectionNumber(display), POLLIN, 0};
    poll(&watch, 1, static_cast<int>(milliseconds));
}
