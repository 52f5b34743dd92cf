// CSaverApp's ties to the desktop's screen-saver host: the single-instance
// mutex, the screen-saver-running mark and the host's password services.
// None of them reports anything to the user: a service the host lacks is
// skipped.
#include "app/SaverApp.h"

#include "platform/Clock.h"
#include "platform/NamedMutex.h"
#include "platform/SaverHost.h"

namespace {

const char INSTANCE_MUTEX[] = "CoraluxMutex";
const char PASSWORD_PROVIDER[] = "SCRSAVE";
const uint32_t MUTEX_RETRY_MS = 50;  // between two tries while another copy holds it

}  // namespace

bool CSaverApp::CreateInstanceMutex(uint32_t waitMs)
{
    const uint32_t start = SysGetTickCount();
    bool alreadyExisted = false;
    for (;;) {
        m_hMutex = SysCreateNamedMutex(INSTANCE_MUTEX, &alreadyExisted);
        // A mutex that cannot be made at all must not keep the saver from running.
        if (!alreadyExisted || SysGetTickCount() - start >= waitMs)
            return !alreadyExisted;
        SysSleep(MUTEX_RETRY_MS);
    }
}

bool CSaverApp::SetScreenSaverRunning(bool running)
{
    return SysSetScreenSaverRunning(running);
}

void CSaverApp::VerifyPassword(HWindow owner)
{
    const PasswordCheckProc check = SysFindPasswordCheck();
    if (!check)
        return;
    SetScreenSaverRunning(true);
    // Cancelling the prompt only brings it back: the show ends with the right password.
    while (check(owner) != 1) {}
}

void CSaverApp::ChangePassword(HWindow owner)
{
    if (const PasswordChangeProc change = SysFindPasswordChange())
        change(PASSWORD_PROVIDER, owner, 0, 0);
}
