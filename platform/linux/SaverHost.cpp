// The screen-saver host on X11. The X11 hosts (xscreensaver, a desktop's
// locker, the X server's own blanking) keep their own record of whether a
// screen saver runs and check the password themselves, before or after
// starting the saver; a saver has nothing to tell them and no password
// library to call. The X server's own saver is left alone on purpose: holding
// it off would also hold off the display's power saving.
#include "platform/SaverHost.h"

bool SysSetScreenSaverRunning(bool)
{
    return false;
}

PasswordCheckProc SysFindPasswordCheck()
{
    return nullptr;
}

PasswordChangeProc SysFindPasswordChange()
{
    return nullptr;
}
