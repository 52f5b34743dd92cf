// TestHost's stand-ins for the desktop's helpers: a document handler that
// notes what it was asked to open, a file's version as its Properties show
// it, the code page, and a window that hears the system's announcements.
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

int PrintVersion(const char* file)
{
    std::vector<BYTE> info(GetFileVersionInfoSizeA(file, nullptr));
    if (info.empty() || !GetFileVersionInfoA(file, 0, static_cast<DWORD>(info.size()), info.data()))
        return Fail("the file has no version resource");
    // The strings of the first translation the resource names.
    void* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &translation, &size) || size < 4)
        return Fail("the version resource names no translation");
    char block[64];
    const char* texts[2] = {"", ""};
    const char* names[2] = {"ProductName", "FileVersion"};
    for (int i = 0; i < 2; ++i) {
        const WORD* language = static_cast<const WORD*>(translation);
        std::snprintf(block, sizeof block, "\\StringFileInfo\\%04x%04x\\%s", language[0], language[1], names[i]);
        char* text = nullptr;
        if (VerQueryValueA(info.data(), block, reinterpret_cast<void**>(&text), &size) && size > 0)
            texts[i] = text;
    }
    std::printf("%s %s\n", texts[0], texts[1]);
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
