// A named kernel mutex of the user's session; the system closes it with the
// last handle, however the holding process ends.
#include <windows.h>

#include "platform/NamedMutex.h"

HNamedMutex SysCreateNamedMutex(const char* name, bool* alreadyExisted)
{
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
    *alreadyExisted = mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    if (*alreadyExisted) {
        CloseHandle(mutex);
        return 0;
    }
    return reinterpret_cast<HNamedMutex>(mutex);
}

void SysCloseNamedMutex(HNamedMutex mutex)
{
    if (mutex)
        CloseHandle(reinterpret_cast<HANDLE>(mutex));
}
