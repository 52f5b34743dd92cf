#include "tests/support/SplitMonitors.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace {

const int MM_PER_INCH_TENTHS = 254;
const int DOTS_PER_INCH = 96;
const char* const HALF_NAMES[] = {"coralux-test-left", "coralux-test-right"};

}  // namespace

CSplitMonitors::CSplitMonitors()
{
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
        return;
    XWindowAttributes screen = {};
    XGetWindowAttributes(m_display, DefaultRootWindow(m_display), &screen);
    m_halfWidth = screen.width / 2;
    m_height = screen.height;
    m_ready = SetRightPrimary(false);
}

bool CSplitMonitors::SetRightPrimary(bool rightPrimary)
{
    if (!m_display)
        return false;
    // The server refuses a monitor whose name it has already: the old ones go first.
    for (int half = 0; m_ready && half < 2; ++half)
        XRRDeleteMonitor(m_display, DefaultRootWindow(m_display), XInternAtom(m_display, HALF_NAMES[half], False));
    for (int half = 0; half < 2; ++half) {
        XRRMonitorInfo* monitor = XRRAllocateMonitor(m_display, 0);
        if (!monitor)
            return false;
        monitor->name = XInternAtom(m_display, HALF_NAMES[half], False);
        monitor->primary = (half == 1) == rightPrimary;
        monitor->automatic = False;
        monitor->x = half * m_halfWidth;
        monitor->width = m_halfWidth;
        monitor->height = m_height;
        monitor->mwidth = m_halfWidth * MM_PER_INCH_TENTHS / (10 * DOTS_PER_INCH);
        monitor->mheight = m_height * MM_PER_INCH_TENTHS / (10 * DOTS_PER_INCH);
        XRRSetMonitor(m_display, DefaultRootWindow(m_display), monitor);
        XFree(monitor);
    }
    XSync(m_display, False);
    return true;
}

CSplitMonitors::~CSplitMonitors()
{
    if (m_display)
        XCloseDisplay(m_display);
}
