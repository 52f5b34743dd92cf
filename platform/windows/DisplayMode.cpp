// Display modes through the host's display settings. A switch made with
// CDS_FULLSCREEN lasts only while this program runs and is never stored.
#include <windows.h>

#include "platform/DisplayMode.h"
#include "platform/windows/WindowClasses.h"

bool SysSetDisplayMode(int width, int height, int bitsPerPixel)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(bitsPerPixel);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

void SysRestoreDisplayMode()
{
    // No mode and no flags: back to the mode stored for the desktop.
    ChangeDisplaySettingsA(nullptr, 0);
}

double SysGetRefreshRate(HWindow window)
{
    MONITORINFOEXW monitor = {};
    monitor.cbSize = sizeof monitor;
    DEVMODEW mode = {};
    mode.dmSize = sizeof mode;
    const HMONITOR handle = MonitorFromWindow(ToHwnd(window), MONITOR_DEFAULTTOPRIMARY);
    if (!GetMonitorInfoW(handle, &monitor) || !EnumDisplaySettingsW(monitor.szDevice, ENUM_CURRENT_SETTINGS, &mode))
        return 0;
    // 0 and 1 stand for the hardware's default rate, which Windows does not tell.
    return mode.dmDisplayFrequency > 1 ? mode.dmDisplayFrequency : 0;
}
