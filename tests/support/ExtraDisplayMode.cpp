#include "tests/support/ExtraDisplayMode.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <cstring>
#include <string>

namespace {

// Arbitrary but plausible timings, refreshing at the rate asked.
XRRModeInfo MakeModeInfo(int width, int height, int rate, std::string& name)
{
    XRRModeInfo info;
    std::memset(&info, 0, sizeof(info));
    name = "coralux-test-" + std::to_string(width) + "x" + std::to_string(height);
    info.width = static_cast<unsigned>(width);
    info.height = static_cast<unsigned>(height);
    info.hSyncStart = info.width + 40;
    info.hSyncEnd = info.width + 168;
    info.hTotal = info.width + 256;
    info.vSyncStart = info.height + 1;
    info.vSyncEnd = info.height + 5;
    info.vTotal = info.height + 28;
    info.dotClock = static_cast<unsigned long>(info.hTotal) * info.vTotal * rate;
    info.name = name.data();
    info.nameLength = static_cast<unsigned>(name.size());
    return info;
}

}  // namespace

CExtraDisplayMode::CExtraDisplayMode(int width, int height, int rate)
{
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
        return;
    const Window root = DefaultRootWindow(m_display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(m_display, root);
    if (!resources || resources->noutput == 0) {
        if (resources)
            XRRFreeScreenResources(resources);
        return;
    }
    m_output = resources->outputs[0];
    XRRFreeScreenResources(resources);
    std::string name;
    XRRModeInfo info = MakeModeInfo(width, height, rate, name);
    m_mode = XRRCreateMode(m_display, root, &info);
    XRRAddOutputMode(m_display, m_output, m_mode);
    XSync(m_display, False);
}

CExtraDisplayMode::~CExtraDisplayMode()
{
    if (m_display)
        XCloseDisplay(m_display);
}

bool CExtraDisplayMode::GetShownSize(int* width, int* height) const
{
    if (!m_display)
        return false;
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(m_display, DefaultRootWindow(m_display));
    if (!resources || resources->ncrtc == 0) {
        if (resources)
            XRRFreeScreenResources(resources);
        return false;
    }
    XRRCrtcInfo* crtc = XRRGetCrtcInfo(m_display, resources, resources->crtcs[0]);
    const bool known = crtc != nullptr;
    if (crtc) {
        *width = static_cast<int>(crtc->width);
        *height = static_cast<int>(crtc->height);
        XRRFreeCrtcInfo(crtc);
    }
    XRRFreeScreenResources(resources);
    return known;
}
