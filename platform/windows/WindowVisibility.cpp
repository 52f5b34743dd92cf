// Whether anything of a window can be seen. Hidden and minimised windows are
// asked of the window manager, and a window wholly covered has an empty clip
// box (without desktop composition; with it, or under Wine's X11 driver, the
// clip box stays whole and a covered window counts as seen: it draws on). The display's power state is not something to ask: the
// system announces it to each window registered for the console display's
// state, and RouteMessage hands those announcements here.
#include <map>

#include "platform/windows/WindowClasses.h"

namespace {

// GUID_CONSOLE_DISPLAY_STATE; its data: 0 off, 1 on, 2 dimmed.
const GUID CONSOLE_DISPLAY_STATE = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
const DWORD DISPLAY_OFF = 0;

std::map<HWND, HPOWERNOTIFY> g_registered;  // windows told of the display's state
bool g_displayOff = false;
bool (*g_powerProbe)() = nullptr;

void ListenForDisplayState(HWND window)
{
    if (g_registered.count(window))
        return;
    // Null where the system has no such announcements: the display then counts as on.
    g_registered[window] = RegisterPowerSettingNotification(window, &CONSOLE_DISPLAY_STATE,
                                                            DEVICE_NOTIFY_WINDOW_HANDLE);
}

bool IsCovered(HWND window)
{
    const HDC context = GetDC(window);
    if (!context)
        return false;
    RECT box;
    const bool covered = GetClipBox(context, &box) == NULLREGION;
    ReleaseDC(window, context);
    return covered;
}

}  // namespace

void NoteDisplayState(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        const auto found = g_registered.find(window);
        if (found != g_registered.end()) {
            if (found->second)
                UnregisterPowerSettingNotification(found->second);
            g_registered.erase(found);
        }
        return;
    }
    if (message != WM_POWERBROADCAST || wParam != PBT_POWERSETTINGCHANGE || lParam == 0)
        return;
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    if (IsEqualGUID(setting->PowerSetting, CONSOLE_DISPLAY_STATE) && setting->DataLength >= sizeof(DWORD))
        g_displayOff = *reinterpret_cast<const DWORD*>(setting->Data) == DISPLAY_OFF;
}

void SysSetDisplayPowerProbe(bool (*poweredDown)())
{
    g_powerProbe = poweredDown;
}

bool SysIsWindowSeen(HWindow window)
{
    if (window == 0)
        return true;
    const HWND handle = ToHwnd(window);
    if (!IsWindow(handle) || !IsWindowVisible(handle) || IsIconic(handle))
        return false;
    ListenForDisplayState(handle);
    const bool poweredDown = g_powerProbe ? g_powerProbe() : g_displayOff;
    return !poweredDown && !IsCovered(handle);
}
