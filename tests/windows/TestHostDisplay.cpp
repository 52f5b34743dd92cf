// TestHost's look at windows and monitors, as a per-monitor aware program
// sees them: in physical pixels, whatever the display scaling.
#include "tests/windows/TestHost.h"

#include <cstdio>

namespace {

const int WINDOW_WAIT_TRIES = 300;  // of 100 ms: long enough for a cold start under Wine

struct SPictureCount
{
    int found;
    int filling;
};

// One window inside: a picture window of the .scr must cover its parent's
// client area exactly.
BOOL CALLBACK CountPicture(HWND window, LPARAM counts)
{
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "Quillworth Splash Window") != 0)
        return TRUE;
    auto* count = reinterpret_cast<SPictureCount*>(counts);
    ++count->found;
    const HWND frame = GetParent(window);
    RECT onScreen = {}, client = {};
    if (!GetWindowRect(window, &onScreen) || !GetClientRect(frame, &client))
        return TRUE;
    RECT inside = onScreen;
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&inside), 2);
    std::printf("picture %ldx%ld%+ld%+ld at %ld,%ld in a %ldx%ld frame\n", onScreen.right - onScreen.left,
                onScreen.bottom - onScreen.top, onScreen.left, onScreen.top, inside.left, inside.top, client.right,
                client.bottom);
    if (EqualRect(&inside, &client))
        ++count->filling;
    return TRUE;
}

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info)) {
        const RECT& box = info.rcMonitor;
        std::printf("%ld,%ld,%ld,%ld%s\n", box.left, box.top, box.right, box.bottom,
                    (info.dwFlags & MONITORINFOF_PRIMARY) ? " primary" : "");
    }
    return TRUE;
}

}  // namespace

HWND WaitForWindow(const char* title)
{
    HWND window = nullptr;
    for (int i = 0; i < WINDOW_WAIT_TRIES && !(window = FindWindowA(nullptr, title)); ++i)
        Sleep(100);
    return window;
}

int PrintWindow(const char* title)
{
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const HWND window = WaitForWindow(title);
    if (!window)
        return Fail("no window of that title");
    RECT box = {};
    GetWindowRect(window, &box);
    const DPI_AWARENESS awareness = GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(window));
    std::printf("awareness=%d dpi=%u window=%ld,%ld,%ld,%ld screen=%dx%d\n", static_cast<int>(awareness),
                GetDpiForWindow(window), box.left, box.top, box.right, box.bottom, GetSystemMetrics(SM_CXSCREEN),
                GetSystemMetrics(SM_CYSCREEN));
    return 0;
}

bool PicturesFill(HWND window, int expected)
{
    SPictureCount count = {};
    EnumChildWindows(window, CountPicture, reinterpret_cast<LPARAM>(&count));
    return count.found == expected && count.filling == expected;
}

int CheckPictures(const char* title, int expected)
{
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const HWND window = WaitForWindow(title);
    if (!window)
        return Fail("no window of that title");
    return PicturesFill(window, expected) ? 0 : Fail("the pictures do not fill their frames");
}

int PrintMonitors()
{
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    return EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0) ? 0 : Fail("the monitors cannot be listed");
}
