// Whether anything of a window can be seen. The server tells our own
// connection when the window is covered wholly; whether it is viewable at
// all (it and every ancestor mapped), whether the X server's own saver has
// blanked the screen and whether the display is powered (DPMS) are asked
// now and then. Events for other windows stay queued.
#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>
#include <X11/extensions/scrnsaver.h>
#include <map>

#include "platform/Clock.h"
#include "platform/Window.h"
#include "platform/linux/XSession.h"

namespace {

const uint32_t ASK_EVERY_MS = 250;  // the server is asked no more often than this

struct SVisibility
{
    bool covered = false;
    bool hidden = false;  // not viewable, or blanked, or powered down, when last asked
    uint32_t askedAt = 0;
};

std::map<HWindow, SVisibility> g_windows;
bool (*g_powerProbe)() = nullptr;

// DPMS standby, suspend or off; a server without DPMS is always powered.
bool ReadDpms(Display* display)
{
    int eventBase = 0, errorBase = 0;
    if (!DPMSQueryExtension(display, &eventBase, &errorBase) || !DPMSCapable(display))
        return false;
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    return DPMSInfo(display, &level, &enabled) && enabled && level != DPMSModeOn;
}

bool IsServerSaverOn(Display* display)
{
    int eventBase = 0, errorBase = 0;
    if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase))
        return false;
    XScreenSaverInfo info = {};
    return XScreenSaverQueryInfo(display, DefaultRootWindow(display), &info) && info.state == ScreenSaverOn;
}

bool IsHidden(Display* display, HWindow window)
{
    XWindowAttributes attributes = {};
    if (!GetXWindowAttributes(window, &attributes) || attributes.map_state != IsViewable)
        return true;
    return IsServerSaverOn(display) || (g_powerProbe ? g_powerProbe() : ReadDpms(display));
}

}  // namespace

void SysSetDisplayPowerProbe(bool (*poweredDown)())
{
    g_powerProbe = poweredDown;
    for (auto& [window, state] : g_windows)
        state.askedAt = 0;
}

bool SysIsWindowSeen(HWindow window)
{
    Display* display = GetXDisplay();
    if (!display || window == 0)
        return true;
    auto found = g_windows.find(window);
    if (found == g_windows.end()) {
        found = g_windows.emplace(window, SVisibility()).first;
        XSelectInput(display, static_cast<Window>(window), VisibilityChangeMask | StructureNotifyMask);
    }
    SVisibility& state = found->second;
    XEvent event;
    while (XCheckWindowEvent(display, static_cast<Window>(window), VisibilityChangeMask | StructureNotifyMask, &event)) {
        if (event.type == VisibilityNotify)
            state.covered = event.xvisibility.state == VisibilityFullyObscured;
        if (event.type == DestroyNotify) {
            g_windows.erase(found);
            return false;
        }
    }
    const uint32_t now = SysGetTickCount();
    if (state.askedAt == 0 || now - state.askedAt >= ASK_EVERY_MS) {
        state.askedAt = now;
        state.hidden = IsHidden(display, window);
    }
    return !state.covered && !state.hidden;
}
