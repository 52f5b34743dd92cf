// Whether a window covers its monitor: its rectangle on the root window
// against the RandR monitor under its centre, or against the whole screen
// when the server names no monitors.
#include <X11/extensions/Xrandr.h>

#include "platform/Window.h"
#include "platform/linux/XSession.h"

namespace {

struct SRectangle
{
    int x, y, width, height;
};

bool Contains(const SRectangle& area, int x, int y)
{
    return x >= area.x && y >= area.y && x < area.x + area.width && y < area.y + area.height;
}

// The monitor under the point; the whole screen without RandR 1.5 monitors.
SRectangle FindMonitor(Display* display, int x, int y)
{
    const Window root = DefaultRootWindow(display);
    const int screen = DefaultScreen(display);
    SRectangle found = {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
    int major = 0, minor = 0, count = 0;
    if (!XRRQueryVersion(display, &major, &minor) || (major == 1 && minor < 5))
        return found;
    XRRMonitorInfo* monitors = XRRGetMonitors(display, root, True, &count);
    for (int i = 0; monitors && i < count; ++i) {
        const SRectangle monitor = {monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height};
        if (Contains(monitor, x, y)) {
            found = monitor;
            break;
        }
    }
    if (monitors)
        XRRFreeMonitors(monitors);
    return found;
}

}  // namespace

bool SysCoversMonitor(HWindow handle)
{
    Display* display = GetXDisplay();
    XWindowAttributes attributes = {};
    if (!display || !GetXWindowAttributes(handle, &attributes))
        return false;
    int x = 0, y = 0;
    Window child = 0;
    const Window window = static_cast<Window>(handle);
    if (!XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child))
        return false;
    const SRectangle monitor = FindMonitor(display, x + attributes.width / 2, y + attributes.height / 2);
    return x <= monitor.x && y <= monitor.y && x + attributes.width >= monitor.x + monitor.width &&
           y + attributes.height >= monitor.y + monitor.height;
}
