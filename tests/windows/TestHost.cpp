// A small stand-in for the host's screen-saver settings, for the end-to-end
// tests under Wine. It checks a .scr the way the host uses one:
//   TestHost name SCR       prints string resource 1, the name the host lists
//   TestHost preview SCR    runs "SCR /p HWND" in a preview window of its own,
//                           checks that it lives while the window does and
//                           ends soon after the window is destroyed
// Exit status 0 when the check holds; the reason is printed otherwise.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const int PREVIEW_WIDTH = 152;  // the size of the host's little monitor picture
const int PREVIEW_HEIGHT = 112;
const DWORD SETTLE_MS = 3000;  // long enough for a cold start under Wine
const DWORD END_MS = 2000;

int Fail(const char* what)
{
    std::printf("FAIL: %s\n", what);
    return 1;
}

int PrintName(const char* scr)
{
    const HMODULE module = LoadLibraryExA(scr, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return Fail("the .scr cannot be opened as a module");
    char name[256] = {};
    const int length = LoadStringA(module, 1, name, sizeof name);
    FreeLibrary(module);
    if (length <= 0)
        return Fail("the .scr has no string resource 1");
    std::printf("%s\n", name);
    return 0;
}

// Pumps this thread's messages for the given time, so the window stays responsive.
void PumpFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

HWND MakePreviewWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = "Coralux Test Host";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "Preview Host", WS_POPUP | WS_VISIBLE, 10, 10,
                           PREVIEW_WIDTH, PREVIEW_HEIGHT, nullptr, nullptr, windowClass.hInstance, nullptr);
}

bool Start(const std::string& commandLine, PROCESS_INFORMATION* process)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, process);
}

int RunPreview(const char* scr)
{
    const HWND window = MakePreviewWindow();
    if (!window)
        return Fail("no preview window");
    // The host passes its window handle as a decimal number.
    const std::string commandLine = std::string("\"") + scr + "\" /p " +
                                    std::to_string(reinterpret_cast<uintptr_t>(window));
    PROCESS_INFORMATION process = {};
    if (!Start(commandLine, &process))
        return Fail("the .scr cannot be started");
    PumpFor(SETTLE_MS);
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
        return Fail("the preview ended while its window exists");
    std::printf("preview window %lu lives with the preview\n", static_cast<unsigned long>(
                                                                    reinterpret_cast<uintptr_t>(window)));
    std::fflush(stdout);
    DestroyWindow(window);
    if (WaitForSingleObject(process.hProcess, END_MS) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        return Fail("the preview outlived its window");
    }
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (status != 0)
        return Fail("the preview ended with a non-zero status");
    std::printf("the preview ended with its window\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "name") == 0)
        return PrintName(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "preview") == 0)
        return RunPreview(argv[2]);
    std::printf("usage: TestHost name|preview SCR\n");
    return 2;
}
