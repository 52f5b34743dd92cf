// TestHost's stand-ins for the desktop's helpers: a document handler that
// notes what it was asked to open, the code page, and a window that hears
// the system's announcements.
#include "tests/windows/TestHost.h"

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

int RecordOpened()
{
    // The path comes in UTF-16: the ANSI arguments would have lost its letters.
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const wchar_t* record = _wgetenv(L"CORALUX_OPENED");
    if (!arguments || count != 3 || !record)
        return Fail("usage: TestHost opened FILE, with CORALUX_OPENED set");
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, arguments[2], -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> path(static_cast<size_t>(bytes));
    WideCharToMultiByte(CP_UTF8, 0, arguments[2], -1, path.data(), bytes, nullptr, nullptr);
    FILE* file = _wfopen(record, L"ab");
    LocalFree(arguments);
    if (!file)
        return Fail("the record cannot be written");
    std::fprintf(file, "%s\n", path.data());
    std::fclose(file);
    return 0;
}

int PrintCodePage()
{
    std::printf("%u\n", GetACP());
    return 0;
}

namespace {

const DWORD SETTING_WAIT_MS = 60000;
UINT g_awaitedAction = 0;
bool g_heard = false;

LRESULT CALLBACK HearSettings(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTINGCHANGE && wParam == g_awaitedAction)
        g_heard = true;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WaitForSettingChange(unsigned action)
{
    g_awaitedAction = action;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HearSettings;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "Coralux Setting Listener";
    RegisterClassA(&windowClass);
    // A top-level window, hidden: announcements go to every one of them.
    if (!CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                         windowClass.hInstance, nullptr))
        return Fail("no window to listen with");
    std::printf("listening\n");
    std::fflush(stdout);
    const DWORD start = GetTickCount();
    while (!g_heard && GetTickCount() - start < SETTING_WAIT_MS)
        PumpFor(50);
    if (!g_heard)
        return Fail("no announcement of that setting");
    std::printf("heard\n");
    return 0;
}
