// A small stand-in for the host's screen-saver settings, for the end-to-end
// tests under Wine. It checks a .scr the way the host uses one:
//   TestHost name SCR       prints string resource 1, the name the host lists
//   TestHost preview SCR    runs "SCR /p HWND" in a preview window of its own,
//                           checks that it lives while the window does, that
//                           its picture window fills the preview window, and
//                           that it ends soon after the window is destroyed
//   TestHost handover SCR   the same preview, then starts "SCR /s" and ends
//                           the preview just after the show has started, as
//                           the host does when the user presses "Preview"
//   TestHost dialog SCR     shows the .scr's dialog template 102 through the
//                           dialog manager, titled "Template 102", checks that
//                           every control was made, and waits for Cancel
// and the commands of TestHost.h. Exit status 0 when the check holds; the
// reason is printed otherwise.
#include "tests/windows/TestHost.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int Fail(const char* what)
{
    std::printf("FAIL: %s\n", what);
    std::fflush(stdout);
    return 1;
}

namespace {

void PumpWaiting()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

}  // namespace

void PumpFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        PumpWaiting();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool Start(const std::string& commandLine, PROCESS_INFORMATION* process)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, process);
}

namespace {

const int PREVIEW_WIDTH = 152;  // the size of the host's little monitor picture
const int PREVIEW_HEIGHT = 112;
const DWORD SETTLE_MS = 3000;  // long enough for a cold start under Wine
const DWORD END_MS = 2000;

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

const char SETTINGS_PARENT[] = "Software\\Quillworth Software";
const char SETTINGS_KEY[] = "Coralux Screensaver";
const DWORD SHOW_START_MS = 30000;
// After the show has read its settings it looks at the mutex within a few
// milliseconds; the preview holds it this much longer.
const DWORD HANDOVER_LAG_MS = 200;

// True once the event is set within the time given; this thread's windows
// stay responsive meanwhile.
bool PumpUntil(HANDLE event, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (DWORD waited = 0; waited < milliseconds; waited = GetTickCount() - start) {
        if (MsgWaitForMultipleObjects(1, &event, FALSE, milliseconds - waited, QS_ALLINPUT) == WAIT_OBJECT_0)
            return true;
        PumpWaiting();
    }
    return false;
}

// Starts "SCR /s" and returns once it has made its settings key, which it
// does just before it takes the single-instance mutex.
bool StartShowBeforePreviewEnds(const char* scr)
{
    HKEY parent = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_PARENT, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &parent, nullptr) !=
        ERROR_SUCCESS) {
        Fail("no settings key");
        return false;
    }
    RegDeleteTreeA(parent, SETTINGS_KEY);
    const HANDLE made = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    RegNotifyChangeKeyValue(parent, FALSE, REG_NOTIFY_CHANGE_NAME, made, TRUE);
    PROCESS_INFORMATION show = {};
    const bool started = Start(std::string("\"") + scr + "\" /s", &show);
    const bool read = started && PumpUntil(made, SHOW_START_MS);
    CloseHandle(made);
    RegCloseKey(parent);
    if (started) {
        CloseHandle(show.hThread);
        CloseHandle(show.hProcess);
    }
    if (!read) {
        Fail("the show did not reach its settings");
        return false;
    }
    PumpFor(HANDOVER_LAG_MS);
    std::printf("the show started while the preview held the mutex\n");
    return true;
}

// A preview shown until its window is destroyed. The hand-over starts the show
// first, while the preview still holds the single-instance mutex; the preview
// ends only once the show is past its settings (its key is made anew), as the
// host's "Preview" button does it.
int RunPreview(const char* scr, bool handOver)
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
    if (!PicturesFill(window, 1))
        return Fail("the picture window does not fill the preview window");
    if (handOver && !StartShowBeforePreviewEnds(scr))
        return 1;
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

int PressButton(const char* title, int id)
{
    const HWND dialog = WaitForWindow(title);
    const HWND button = dialog ? GetDlgItem(dialog, id) : nullptr;
    if (!button)
        return Fail("no such button");
    // What a button tells its dialog when it is clicked.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return 0;
}

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "name") == 0)
        return PrintName(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "preview") == 0)
        return RunPreview(argv[2], false);
    if (argc == 3 && std::strcmp(argv[1], "handover") == 0)
        return RunPreview(argv[2], true);
    if (argc == 3 && std::strcmp(argv[1], "dialog") == 0)
        return ShowDialogTemplate(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "window") == 0)
        return PrintWindow(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "pictures") == 0)
        return CheckPictures(argv[2], std::atoi(argv[3]));
    if (argc == 3 && std::strcmp(argv[1], "manifest") == 0)
        return PrintManifest(argv[2]);
    if (argc == 2 && std::strcmp(argv[1], "monitors") == 0)
        return PrintMonitors();
    if (argc >= 2 && std::strcmp(argv[1], "opened") == 0)
        return RecordOpened();
    if (argc == 3 && std::strcmp(argv[1], "version") == 0)
        return PrintVersion(argv[2]);
    if (argc == 2 && std::strcmp(argv[1], "codepage") == 0)
        return PrintCodePage();
    if (argc == 4 && std::strcmp(argv[1], "press") == 0)
        return PressButton(argv[2], std::atoi(argv[3]));
    if (argc == 3 && std::strcmp(argv[1], "settingchange") == 0)
        return WaitForSettingChange(static_cast<unsigned>(std::atoi(argv[2])));
    std::printf("usage: TestHost name|preview|handover|dialog|manifest SCR, window TITLE, pictures TITLE N,\n"
                "       press TITLE ID, monitors, opened FILE, version FILE, codepage, settingchange ACTION\n");
    return 2;
}
