// Whether a window covers the monitor the system counts it on.
#include "platform/windows/WindowClasses.h"

bool SysCoversMonitor(HWindow handle)
{
    const HWND window = ToHwnd(handle);
    RECT area = {};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!IsWindow(window) || !GetWindowRect(window, &area) ||
        !GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        return false;
    return area.left <= monitor.rcMonitor.left && area.top <= monitor.rcMonitor.top &&
           area.right >= monitor.rcMonitor.right && area.bottom >= monitor.rcMonitor.bottom;
}
