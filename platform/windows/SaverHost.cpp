// The screen-saver host on Windows. The saver-running mark goes through the
// system parameters. The password services belong to the older host family
// (Windows 95/98/Me, platform id VER_PLATFORM_WIN32_WINDOWS), which leaves
// the check to the saver; the newer family checks the password itself. A
// 64-bit build never meets the older family, so there the check is never
// reached and the change dialog's entry point is never found: both lookups
// give null and the program skips the step. A library, once loaded for a
// service, stays loaded: the program holds a pointer into it.
#include "platform/SaverHost.h"
#include "platform/windows/WindowClasses.h"

namespace {

typedef BOOL(WINAPI* VerifyScreenSavePwdProc)(HWND owner);
typedef DWORD(WINAPI* PwdChangePasswordProc)(LPCSTR provider, HWND owner, DWORD reserved1, DWORD reserved2);

VerifyScreenSavePwdProc g_verify = nullptr;
PwdChangePasswordProc g_change = nullptr;

int CallVerify(HWindow owner)
{
    return g_verify(ToHwnd(owner));
}

void CallChange(const char* provider, HWindow owner, uint32_t reserved1, uint32_t reserved2)
{
    g_change(provider, ToHwnd(owner), reserved1, reserved2);
}

bool IsOlderHostFamily()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const bool known = GetVersionExA(&version) != FALSE;
#pragma GCC diagnostic pop
    return known && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

bool IsPasswordSet()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD value = 0, size = sizeof value;
    const bool read =
        RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) ==
        ERROR_SUCCESS;
    RegCloseKey(key);
    return read && size == sizeof value && value != 0;
}

typedef void (*AnyProc)();

// The named entry point of a host library, loaded by name; null without either.
AnyProc FindHostEntry(const char* library, const char* entry)
{
    const HMODULE module = LoadLibraryA(library);
    if (!module)
        return nullptr;
    const FARPROC found = GetProcAddress(module, entry);
    if (!found)
        FreeLibrary(module);
    return reinterpret_cast<AnyProc>(found);
}

}  // namespace

bool SysSetScreenSaverRunning(bool running)
{
    UINT previous = 0;
    return SystemParametersInfoA(SPI_SCREENSAVERRUNNING, running ? TRUE : FALSE, &previous, 0) != FALSE;
}

PasswordCheckProc SysFindPasswordCheck()
{
    if (!g_verify) {
        if (!IsOlderHostFamily() || !IsPasswordSet())
            return nullptr;
        g_verify = reinterpret_cast<VerifyScreenSavePwdProc>(FindHostEntry("PASSWORD.CPL", "VerifyScreenSavePwd"));
    }
    return g_verify ? CallVerify : nullptr;
}

PasswordChangeProc SysFindPasswordChange()
{
    if (!g_change)
        g_change = reinterpret_cast<PwdChangePasswordProc>(FindHostEntry("MPR.DLL", "PwdChangePasswordA"));
    return g_change ? CallChange : nullptr;
}
