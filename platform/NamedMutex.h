#pragma once
// A named mutex shared by the processes of one user's desktop session, so
// that a second copy of the screen saver can tell that one already runs. The
// system releases it when the holding process ends, however it ends (a crash
// or a kill included), so a dead copy never keeps the next one from starting.
#include <cstdint>

typedef uintptr_t HNamedMutex;  // 0: none

// Creates the mutex, or opens it when it exists. *alreadyExisted tells that
// another holder has it (then 0 is returned). 0 with *alreadyExisted false:
// the mutex could not be made at all.
HNamedMutex SysCreateNamedMutex(const char* name, bool* alreadyExisted);
// Lets the mutex go; 0 is allowed.
void SysCloseNamedMutex(HNamedMutex mutex);
