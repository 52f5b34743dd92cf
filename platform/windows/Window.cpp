// Window classes and windows on the Win32 window manager. Our message and
// style numbers are the host's own, so messages pass through unchanged.
#include <map>
#include <string>

#include "platform/windows/WindowClasses.h"

namespace {

std::map<std::string, ATOM> g_classes;
std::map<ATOM, WindowProc> g_procs;  // a null procedure: the default one

HINSTANCE GetInstance()
{
    return GetModuleHandleA(nullptr);
}

LRESULT CALLBACK RouteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    NoteDisplayState(window, message, wParam, lParam);
    const auto found = g_procs.find(static_cast<ATOM>(GetClassWord(window, GCW_ATOM)));
    if (found == g_procs.end() || !found->second)
        return DefWindowProcA(window, message, wParam, lParam);
    return found->second(ToHandle(window), message, wParam, lParam);
}

DWORD ToExtendedStyle(unsigned style)
{
    return (style & STYLE_TOPMOST) ? WS_EX_TOPMOST : 0;
}

DWORD ToWindowStyle(unsigned style)
{
    // A GL window must not draw over its siblings' or children's pixels.
    DWORD windowStyle = ((style & STYLE_CHILD) ? WS_CHILD : WS_POPUP) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (style & STYLE_VISIBLE)
        windowStyle |= WS_VISIBLE;
    return windowStyle;
}

}  // namespace

bool IsOwnWindow(HWND window)
{
    DWORD process = 0;
    return IsWindow(window) && GetWindowThreadProcessId(window, &process) != 0 && process == GetCurrentProcessId();
}

bool SysRegisterClass(const SWindowClass& windowClass)
{
    if (!windowClass.name || g_classes.count(windowClass.name))
        return false;
    WNDCLASSEXA record = {};
    record.cbSize = sizeof record;
    // CLASS_ values are the host's CS_ values.
    record.style = windowClass.style & (CS_OWNDC | CS_HREDRAW | CS_VREDRAW);
    record.lpfnWndProc = RouteMessage;
    record.hInstance = GetInstance();
    record.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    record.hbrBackground =
        windowClass.background == BACKGROUND_BLACK ? static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)) : nullptr;
    record.lpszClassName = windowClass.name;
    const ATOM atom = RegisterClassExA(&record);
    if (atom == 0)
        return false;
    g_classes[windowClass.name] = atom;
    g_procs[atom] = windowClass.proc;
    return true;
}

bool SysIsClassRegistered(const char* name)
{
    return name && g_classes.count(name) != 0;
}

bool SysUnregisterClass(const char* name)
{
    const auto found = name ? g_classes.find(name) : g_classes.end();
    // The host refuses while a window of the class lives.
    if (found == g_classes.end() || !UnregisterClassA(name, GetInstance()))
        return false;
    g_procs.erase(found->second);
    g_classes.erase(found);
    return true;
}

HWindow SysCreateWindow(const char* className, const char* title, unsigned style, int x, int y, int width, int height,
                        HWindow parent)
{
    if (!SysIsClassRegistered(className) || (parent != 0 && !IsWindow(ToHwnd(parent))))
        return 0;
    if (parent != 0)
        style |= STYLE_CHILD;
    // Top-level positions count from the desktop's top-left corner, as on
    // X11; the host's count from the primary monitor's, with monitors to its
    // left or above at negative coordinates.
    if (parent == 0) {
        x += GetSystemMetrics(SM_XVIRTUALSCREEN);
        y += GetSystemMetrics(SM_YVIRTUALSCREEN);
    }
    const HWND window = CreateWindowExA(ToExtendedStyle(style), className, title, ToWindowStyle(style), x, y, width,
                                        height, ToHwnd(parent), nullptr, GetInstance(), nullptr);
    return ToHandle(window);
}

// Another program's window cannot take our procedure (the system refuses to
// subclass across processes), and a GL pixel format set on it would stay with
// it for good. The host's preview window gets a child window of ours instead
// (/p), so adoption is refused.
HWindow SysAdoptWindow(const char*, HWindow)
{
    return 0;
}

// The desktop window: the one every top-level window lives on. Adoption
// refuses it like any other.
HWindow SysGetRootWindow()
{
    return ToHandle(GetDesktopWindow());
}

bool SysDestroyWindow(HWindow window)
{
    return IsOwnWindow(ToHwnd(window)) && DestroyWindow(ToHwnd(window));
}

bool SysIsWindow(HWindow window)
{
    return window != 0 && IsWindow(ToHwnd(window));
}

void SysShowWindow(HWindow window)
{
    ShowWindow(ToHwnd(window), SW_SHOW);
    UpdateWindow(ToHwnd(window));
}

void SysSetForegroundWindow(HWindow window)
{
    SetForegroundWindow(ToHwnd(window));
}

void SysSetFocus(HWindow window)
{
    SetFocus(ToHwnd(window));
}

bool SysGetClientSize(HWindow window, int* width, int* height)
{
    RECT client;
    if (!SysIsWindow(window) || !GetClientRect(ToHwnd(window), &client))
        return false;
    *width = client.right - client.left;
    *height = client.bottom - client.top;
    return true;
}

intptr_t SysDefWindowProc(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    return DefWindowProcA(ToHwnd(window), message, wParam, lParam);
}

void SysCloseDisplay()
{
    // The window manager is part of the system: there is no connection to close.
}

bool SysGetScreenSize(int* width, int* height)
{
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    if (w <= 0 || h <= 0)
        return false;
    *width = w;
    *height = h;
    return true;
}

bool SysGetScreenOrigin(int* x, int* y)
{
    // The primary monitor sits at the host's (0, 0); the desktop's corner is
    // the virtual screen's, (0, 0) too unless a monitor lies left or above.
    *x = -GetSystemMetrics(SM_XVIRTUALSCREEN);
    *y = -GetSystemMetrics(SM_YVIRTUALSCREEN);
    return true;
}

bool SysGetDesktopSize(int* width, int* height)
{
    const int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (w <= 0 || h <= 0)
        return false;
    *width = w;
    *height = h;
    return true;
}
