// TestHost manifest SCR: reads the .scr's manifest as the system does when it
// starts the program, through an activation context made from it, so a
// setting in the wrong namespace, a misspelt value or an assembly the system
// cannot find shows here. Prints one line per fact:
//   dpiAwareness=TEXT   dpiAware=TEXT
//   assembly=IDENTITY   (the program's own first, then what it depends on)
//   supportedOS={GUID}
#include "tests/windows/TestHost.h"

#include <cstddef>
#include <cstdio>
#include <vector>

namespace {

const wchar_t SETTINGS_2016[] = L"http://schemas.microsoft.com/SMI/2016/WindowsSettings";
const wchar_t SETTINGS_2005[] = L"http://schemas.microsoft.com/SMI/2005/WindowsSettings";

// The records as the system writes them since Windows 10; MinGW's headers
// still have the shorter ones, without the tested version.
struct SCompatibilityElement
{
    GUID id;
    DWORD type;  // ACTCTX_COMPATIBILITY_ELEMENT_TYPE
    ULONGLONG maxVersionTested;
};
struct SCompatibilityInformation
{
    DWORD elementCount;
    SCompatibilityElement elements[1];
};

void PrintSetting(HANDLE context, const wchar_t* space, const wchar_t* name)
{
    wchar_t value[256] = {};
    if (!QueryActCtxSettingsW(0, context, space, name, value, ARRAYSIZE(value), nullptr))
        value[0] = L'\0';
    std::printf("%ls=%ls\n", name, value);
}

// The information of one class of the context (of one assembly, counted from
// 1, where the class is per assembly), in a buffer of its size.
std::vector<BYTE> Query(HANDLE context, ULONG infoClass, DWORD assembly = 0)
{
    DWORD* subInstance = assembly ? &assembly : nullptr;
    SIZE_T needed = 0;
    QueryActCtxW(0, context, subInstance, infoClass, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    if (needed == 0 || !QueryActCtxW(0, context, subInstance, infoClass, info.data(), needed, &needed))
        info.clear();
    return info;
}

void PrintAssemblies(HANDLE context)
{
    const std::vector<BYTE> details = Query(context, ActivationContextDetailedInformation);
    if (details.empty())
        return;
    const DWORD count =
        reinterpret_cast<const ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(details.data())->ulAssemblyCount;
    for (DWORD index = 1; index <= count; ++index) {
        const std::vector<BYTE> assembly = Query(context, AssemblyDetailedInformationInActivationContext, index);
        if (!assembly.empty())
            std::printf("assembly=%ls\n",
                        reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(assembly.data())
                            ->lpAssemblyEncodedAssemblyIdentity);
    }
}

void PrintSupportedSystems(HANDLE context)
{
    const std::vector<BYTE> compatibility = Query(context, CompatibilityInformationInActivationContext);
    if (compatibility.empty())
        return;
    const auto* info = reinterpret_cast<const SCompatibilityInformation*>(compatibility.data());
    const size_t room =
        (compatibility.size() - offsetof(SCompatibilityInformation, elements)) / sizeof(SCompatibilityElement);
    for (DWORD i = 0; i < info->elementCount && i < room; ++i) {
        if (info->elements[i].type != ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS)
            continue;
        const GUID& id = info->elements[i].id;
        std::printf("supportedOS={%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x}\n", id.Data1, id.Data2, id.Data3,
                    id.Data4[0], id.Data4[1], id.Data4[2], id.Data4[3], id.Data4[4], id.Data4[5], id.Data4[6],
                    id.Data4[7]);
    }
}

}  // namespace

int PrintManifest(const char* scr)
{
    ACTCTXA request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = scr;
    request.lpResourceName = MAKEINTRESOURCEA(1);
    const HANDLE context = CreateActCtxA(&request);
    if (context == INVALID_HANDLE_VALUE)
        return Fail("no activation context from the manifest (missing, malformed, or an assembly the system lacks)");
    PrintSetting(context, SETTINGS_2016, L"dpiAwareness");
    PrintSetting(context, SETTINGS_2005, L"dpiAware");
    PrintAssemblies(context);
    PrintSupportedSystems(context);
    ReleaseActCtx(context);
    return 0;
}
