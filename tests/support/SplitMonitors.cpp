#include "tests/support/SplitMonitors.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace {

const int MM_PER_INCH_TENTHS = 254;
const int DOTS_PER_INCH = 96;

}  // namespace

CSplitMonitors::CSplitMonitors()
{
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
        return;
    const Window root = DefaultRootWindow(m_display);
    XWindowAttributes screen = {};
    XGetWindowAttributes(m_display, root, &screen);
    m_halfWidth = screen.width / 2;
    for (int half = 0; half < 2; ++half) {
        XRRMonitorInfo* monitor = XRRAllocateMonitor(m_display, 0);
        if (!monitor)
            return;
        monitor->name = XInternAtom(m_display, half == 0 ? "coralux-test-left" : "coralux-test-right", False);
        monitor->primary = half == 0;
        monitor->automatic = False;
        monitor->x = half * m_halfWidth;
        monitor->width = m_halfWidth;
        monitor->height = screen.height;
        monitor->mwidth = m_halfWidth * MM_PER_INCH_TENTHS / (10 * DOTS_PER_INCH);
        monitor->mheight = screen.height * MM_PER_INCH_TENTHS / (10 * DOTS_PER_INCH);
        XRRSetMonitor(m_display, root, monitor);
        XFree(monitor);
    }
    XSync(m_display, False);
    m_ready = true;
}

CSplitMonitors::~CSplitMonitors()
{
    if (m_display)
        XCloseDisplay(m_display);
}
