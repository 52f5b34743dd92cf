// Screen modes through XRandR on the primary output's CRTC. The X server
// cannot change its colour depth while running, so only width and height
// count. The first successful switch keeps the desktop's mode for the restore,
// and a watchdog process restores it should the show die before it can.
#include "platform/DisplayMode.h"

#include <X11/extensions/Xrandr.h>
#include <algorithm>
#include <vector>

#include "platform/Window.h"
#include "platform/linux/ModeWatchdog.h"
#include "platform/linux/XSession.h"

namespace {

const double FALLBACK_PIXELS_PER_MM = 96.0 / 25.4;

struct SCrtcSetting
{
    RRCrtc crtc = 0;
    RRMode mode = 0;
    int x = 0, y = 0;
    Rotation rotation = RR_Rotate_0;
    std::vector<RROutput> outputs;
    int screenWidth = 0, screenHeight = 0;  // of the whole X screen
};

bool g_haveSaved = false;
SCrtcSetting g_saved;

// Frees the XRandR records on every way out.
struct SResources
{
    Display* display = nullptr;
    XRRScreenResources* resources = nullptr;
    ~SResources()
    {
        if (resources)
            XRRFreeScreenResources(resources);
    }
};

bool OpenResources(Display* display, SResources* out)
{
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!display || !XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
        major < 1 || (major == 1 && minor < 2))
        return false;
    out->display = display;
    // The current configuration, without making the server probe its outputs.
    out->resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    return out->resources != nullptr;
}

// The primary output's CRTC, or else the first lit one.
RRCrtc FindPrimaryCrtc(const SResources& res, RROutput* output)
{
    Display* display = res.display;
    const RROutput primary = XRRGetOutputPrimary(display, DefaultRootWindow(display));
    RROutput candidates[2] = {primary, 0};
    for (RROutput wanted : candidates) {
        for (int i = 0; i < res.resources->noutput; ++i) {
            if (wanted != 0 && res.resources->outputs[i] != wanted)
                continue;
            XRROutputInfo* info = XRRGetOutputInfo(display, res.resources, res.resources->outputs[i]);
            const RRCrtc crtc = info && info->connection != RR_Disconnected ? info->crtc : 0;
            if (info)
                XRRFreeOutputInfo(info);
            if (crtc != 0) {
                *output = res.resources->outputs[i];
                return crtc;
            }
        }
    }
    return 0;
}

const XRRModeInfo* FindModeInfo(const SResources& res, RRMode mode)
{
    for (int i = 0; i < res.resources->nmode; ++i) {
        if (res.resources->modes[i].id == mode)
            return &res.resources->modes[i];
    }
    return nullptr;
}

// A CRTC turned by a quarter shows the mode's width as its height.
void GetShownSize(const XRRModeInfo& mode, Rotation rotation, int* width, int* height)
{
    const bool sideways = (rotation & (RR_Rotate_90 | RR_Rotate_270)) != 0;
    *width = static_cast<int>(sideways ? mode.height : mode.width);
    *height = static_cast<int>(sideways ? mode.width : mode.height);
}

bool ReadCrtc(const SResources& res, RRCrtc crtc, SCrtcSetting* setting)
{
    XRRCrtcInfo* info = XRRGetCrtcInfo(res.display, res.resources, crtc);
    if (!info)
        return false;
    setting->crtc = crtc;
    setting->mode = info->mode;
    setting->x = info->x;
    setting->y = info->y;
    setting->rotation = info->rotation;
    setting->outputs.assign(info->outputs, info->outputs + info->noutput);
    XRRFreeCrtcInfo(info);
    XWindowAttributes root = {};
    XGetWindowAttributes(res.display, DefaultRootWindow(res.display), &root);
    setting->screenWidth = root.width;
    setting->screenHeight = root.height;
    return true;
}

void SetScreenSize(Display* display, int width, int height)
{
    const int screen = DefaultScreen(display);
    const int pixels = DisplayWidth(display, screen);
    const double pixelsPerMm = DisplayWidthMM(display, screen) > 0 && pixels > 0
                                   ? static_cast<double>(pixels) / DisplayWidthMM(display, screen)
                                   : FALLBACK_PIXELS_PER_MM;
    XRRSetScreenSize(display, DefaultRootWindow(display), width, height, static_cast<int>(width / pixelsPerMm + 0.5),
                     static_cast<int>(height / pixelsPerMm + 0.5));
}

// Grows the screen before the CRTC needs the room and shrinks it after, so the
// screen holds every CRTC at each step, as the server demands.
bool ApplyCrtc(const SResources& res, const SCrtcSetting& setting)
{
    Display* display = res.display;
    XWindowAttributes root = {};
    XGetWindowAttributes(display, DefaultRootWindow(display), &root);
    const int grownWidth = std::max(root.width, setting.screenWidth);
    const int grownHeight = std::max(root.height, setting.screenHeight);
    XGrabServer(display);
    if (grownWidth != root.width || grownHeight != root.height)
        SetScreenSize(display, grownWidth, grownHeight);
    const Status status = XRRSetCrtcConfig(
        display, res.resources, setting.crtc, CurrentTime, setting.x, setting.y, setting.mode, setting.rotation,
        const_cast<RROutput*>(setting.outputs.data()), static_cast<int>(setting.outputs.size()));
    if (status == RRSetConfigSuccess && (setting.screenWidth != grownWidth || setting.screenHeight != grownHeight))
        SetScreenSize(display, setting.screenWidth, setting.screenHeight);
    XUngrabServer(display);
    XSync(display, False);
    return status == RRSetConfigSuccess;
}

// The screen that results when the CRTC shows width x height: big enough for
// it and for every other lit CRTC.
void GetNeededScreen(const SResources& res, const SCrtcSetting& changed, int width, int height, int* screenWidth,
                     int* screenHeight)
{
    *screenWidth = changed.x + width;
    *screenHeight = changed.y + height;
    for (int i = 0; i < res.resources->ncrtc; ++i) {
        if (res.resources->crtcs[i] == changed.crtc)
            continue;
        XRRCrtcInfo* info = XRRGetCrtcInfo(res.display, res.resources, res.resources->crtcs[i]);
        if (!info)
            continue;
        if (info->mode != 0) {
            *screenWidth = std::max(*screenWidth, info->x + static_cast<int>(info->width));
            *screenHeight = std::max(*screenHeight, info->y + static_cast<int>(info->height));
        }
        XRRFreeCrtcInfo(info);
    }
}

bool IsShowing(const SResources& res, RRCrtc crtc, int width, int height)
{
    SCrtcSetting now;
    const XRRModeInfo* mode = ReadCrtc(res, crtc, &now) ? FindModeInfo(res, now.mode) : nullptr;
    if (!mode)
        return false;
    int shownWidth = 0, shownHeight = 0;
    GetShownSize(*mode, now.rotation, &shownWidth, &shownHeight);
    return shownWidth == width && shownHeight == height;
}

RRMode FindOutputMode(const SResources& res, RROutput output, Rotation rotation, int width, int height)
{
    XRROutputInfo* info = XRRGetOutputInfo(res.display, res.resources, output);
    if (!info)
        return 0;
    RRMode found = 0;
    for (int i = 0; i < info->nmode && found == 0; ++i) {
        const XRRModeInfo* mode = FindModeInfo(res, info->modes[i]);
        int shownWidth = 0, shownHeight = 0;
        if (mode)
            GetShownSize(*mode, rotation, &shownWidth, &shownHeight);
        if (shownWidth == width && shownHeight == height)
            found = info->modes[i];
    }
    XRRFreeOutputInfo(info);
    return found;
}

// Frames a second of a mode, from its timings; 0 for a mode without any (Xvfb's).
double GetModeRate(const XRRModeInfo& mode)
{
    double lines = mode.vTotal;
    if (mode.modeFlags & RR_DoubleScan)
        lines *= 2;
    if (mode.modeFlags & RR_Interlace)
        lines /= 2;
    return mode.hTotal > 0 && lines > 0 ? static_cast<double>(mode.dotClock) / (mode.hTotal * lines) : 0;
}

// The mode of the CRTC that shows the middle of the window; 0 when none does.
RRMode FindWindowMode(const SResources& res, HWindow window)
{
    XWindowAttributes attributes = {};
    Window child = 0;
    int x = 0, y = 0;
    if (!GetXWindowAttributes(window, &attributes) ||
        !XTranslateCoordinates(res.display, window, DefaultRootWindow(res.display), attributes.width / 2,
                               attributes.height / 2, &x, &y, &child))
        return 0;
    RRMode found = 0;
    for (int i = 0; i < res.resources->ncrtc && found == 0; ++i) {
        XRRCrtcInfo* info = XRRGetCrtcInfo(res.display, res.resources, res.resources->crtcs[i]);
        if (!info)
            continue;
        const bool inside = x >= info->x && y >= info->y && x < info->x + static_cast<int>(info->width) &&
                            y < info->y + static_cast<int>(info->height);
        if (info->mode != 0 && inside)
            found = info->mode;
        XRRFreeCrtcInfo(info);
    }
    return found;
}

// Puts back the desktop's mode, on our own connection or on the watchdog's.
void ApplySavedMode(Display* display)
{
    SResources res;
    if (OpenResources(display, &res))
        ApplyCrtc(res, g_saved);
}

}  // namespace

bool SysSetDisplayMode(int width, int height, int)
{
    SResources res;
    RROutput output = 0;
    if (!OpenResources(GetXDisplay(), &res))
        return false;
    const RRCrtc crtc = FindPrimaryCrtc(res, &output);
    SCrtcSetting current;
    if (crtc == 0 || !ReadCrtc(res, crtc, &current))
        return false;
    if (IsShowing(res, crtc, width, height))
        return true;
    SCrtcSetting wanted = current;
    wanted.mode = FindOutputMode(res, output, current.rotation, width, height);
    if (wanted.mode == 0)
        return false;
    GetNeededScreen(res, current, width, height, &wanted.screenWidth, &wanted.screenHeight);

    if (!g_haveSaved) {
        g_saved = current;
        g_haveSaved = true;
        StartModeWatchdog(ApplySavedMode);
    }
    // The server may answer success for a mode it rounded; believe what it shows.
    if (ApplyCrtc(res, wanted) && IsShowing(res, crtc, width, height))
        return true;
    SysRestoreDisplayMode();
    return false;
}

double SysGetRefreshRate(HWindow window)
{
    SResources res;
    if (!OpenResources(GetXDisplay(), &res))
        return 0;
    RRMode mode = FindWindowMode(res, window);
    if (mode == 0) {
        RROutput output = 0;
        SCrtcSetting primary;
        const RRCrtc crtc = FindPrimaryCrtc(res, &output);
        if (crtc != 0 && ReadCrtc(res, crtc, &primary))
            mode = primary.mode;
    }
    const XRRModeInfo* info = mode != 0 ? FindModeInfo(res, mode) : nullptr;
    return info ? GetModeRate(*info) : 0;
}

void SysRestoreDisplayMode()
{
    if (!g_haveSaved)
        return;
    g_haveSaved = false;
    ApplySavedMode(GetXDisplay());
    StopModeWatchdog();
}

namespace {

// The primary RandR monitor (or else the first): with RandR 1.5 a monitor
// may be a part of one output, as a desktop split across a wide display.
bool GetPrimaryMonitor(XRRMonitorInfo* out)
{
    Display* display = GetXDisplay();
    int major = 0, minor = 0, count = 0;
    if (!display || !XRRQueryVersion(display, &major, &minor) || (major == 1 && minor < 5))
        return false;
    XRRMonitorInfo* monitors = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
    if (!monitors)
        return false;
    const XRRMonitorInfo* found = count > 0 ? &monitors[0] : nullptr;
    for (int i = 0; i < count; ++i) {
        if (monitors[i].primary)
            found = &monitors[i];
    }
    const bool usable = found != nullptr && found->width > 0 && found->height > 0;
    if (usable)
        *out = *found;
    XRRFreeMonitors(monitors);
    return usable;
}

bool GetCrtcSize(int* width, int* height)
{
    SResources res;
    RROutput output = 0;
    SCrtcSetting current;
    if (!OpenResources(GetXDisplay(), &res))
        return false;
    const RRCrtc crtc = FindPrimaryCrtc(res, &output);
    const XRRModeInfo* mode = crtc != 0 && ReadCrtc(res, crtc, &current) ? FindModeInfo(res, current.mode) : nullptr;
    if (mode)
        GetShownSize(*mode, current.rotation, width, height);
    return mode != nullptr;
}

}  // namespace

bool SysGetScreenSize(int* width, int* height)
{
    XRRMonitorInfo monitor = {};
    if (GetPrimaryMonitor(&monitor)) {
        *width = monitor.width;
        *height = monitor.height;
        return true;
    }
    // No monitors: the primary output's CRTC, or without XRandR the whole screen.
    return GetCrtcSize(width, height) || SysGetDesktopSize(width, height);
}

bool SysGetScreenOrigin(int* x, int* y)
{
    XRRMonitorInfo monitor = {};
    *x = *y = 0;
    if (GetPrimaryMonitor(&monitor)) {
        *x = monitor.x;
        *y = monitor.y;
    }
    return GetXDisplay() != nullptr;
}

bool SysGetDesktopSize(int* width, int* height)
{
    Display* display = GetXDisplay();
    XWindowAttributes root = {};
    if (!display || !XGetWindowAttributes(display, DefaultRootWindow(display), &root))
        return false;
    *width = root.width;
    *height = root.height;
    return true;
}
