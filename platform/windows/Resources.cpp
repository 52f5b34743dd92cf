// Raw-data resources of the executable's .rc file (RT_RCDATA), by number. The
// bitmaps and the icon are typed resources that the window system loads itself.
#include <windows.h>

#include "platform/Resources.h"

bool SysFindResource(int id, const uint8_t** data, size_t* size)
{
    if (id <= 0 || id > 0xFFFF)
        return false;
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_RCDATA));
    if (!found)
        return false;
    // A loaded resource stays mapped with the module: no unlock or free exists.
    const HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return false;
    *data = static_cast<const uint8_t*>(bytes);
    *size = SizeofResource(module, found);
    return true;
}
