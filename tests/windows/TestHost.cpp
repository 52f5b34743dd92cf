// A small stand-in for the host's screen-saver settings, for the end-to-end
// tests under Wine. It checks a .scr the way the host uses one:
//   TestHost name SCR       prints string resource 1, the name the host lists
//   TestHost preview SCR    runs "SCR /p HWND" in a preview window of its own,
//                           checks that it lives while the window does and
//                           ends soon after the window is destroyed
//   TestHost dialog SCR     shows the .scr's dialog template 102 through the
//                           dialog manager, titled "Template 102", checks that
//                           every control was made, and waits for Cancel
// Exit status 0 when the check holds; the reason is printed otherwise.
#include <windows.h>

#include <commctrl.h>

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

// Every control of the setup dialog, by id, with the window class it must have.
const struct
{
    int id;
    const char* className;
} DIALOG_CONTROLS[] = {
    {1007, "Static"}, {1025, "Button"}, {1006, "Static"}, {1008, "ComboBox"}, {1010, "Button"},
    {1011, "Button"}, {1012, "Button"}, {1030, "Static"}, {1009, "ComboBox"}, {1031, "Static"},
    {1034, TRACKBAR_CLASSA}, {1016, "Button"}, {1019, "Button"}, {1032, "Static"}, {1026, TRACKBAR_CLASSA},
    {1036, "Static"}, {1027, TRACKBAR_CLASSA}, {1033, "Static"}, {1028, TRACKBAR_CLASSA}, {1035, "Static"},
    {1029, TRACKBAR_CLASSA}, {4, "Button"}, {1015, "Button"}, {IDOK, "Button"}, {IDCANCEL, "Button"},
};
const INT_PTR MISSING_CONTROL = 100;

bool HasEveryControl(HWND dialog)
{
    for (const auto& control : DIALOG_CONTROLS) {
        char className[64] = {};
        const HWND item = GetDlgItem(dialog, control.id);
        if (!item || !GetClassNameA(item, className, sizeof className) || lstrcmpiA(className, control.className) != 0) {
            std::printf("control %d: '%s', not %s\n", control.id, className, control.className);
            return false;
        }
    }
    return true;
}

INT_PTR CALLBACK TemplateProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        if (!HasEveryControl(dialog))
            EndDialog(dialog, MISSING_CONTROL);
        SetWindowTextA(dialog, "Template 102");
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

int ShowDialogTemplate(const char* scr)
{
    const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const HMODULE module = LoadLibraryExA(scr, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC found = module ? FindResourceA(module, MAKEINTRESOURCEA(102), reinterpret_cast<LPCSTR>(RT_DIALOG))
                               : nullptr;
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    if (!loaded)
        return Fail("the .scr has no dialog template 102");
    const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                                                   static_cast<LPCDLGTEMPLATEA>(LockResource(loaded)), nullptr,
                                                   TemplateProc, 0);
    if (result == MISSING_CONTROL)
        return Fail("dialog template 102 lacks a control");
    if (result != IDCANCEL)
        return Fail("dialog template 102 cannot be shown");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "name") == 0)
        return PrintName(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "preview") == 0)
        return RunPreview(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "dialog") == 0)
        return ShowDialogTemplate(argv[2]);
    std::printf("usage: TestHost name|preview|dialog SCR\n");
    return 2;
}
