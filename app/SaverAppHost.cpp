// CSaverApp's ties to the desktop's screen-saver host: the single-instance
// mutex, the screen-saver-running mark, the host's password services and
// Coralux's place in xscreensaver's list. None but the last reports anything
// to the user: a service the host lacks is skipped.
#include "app/SaverApp.h"

#include <cstdio>

#include "app/XScreenSaverList.h"
#include "platform/Clock.h"
#include "platform/NamedMutex.h"
#include "platform/SaverHost.h"
#include "platform/XScreenSaverFile.h"

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

bool CSaverApp::AddToXScreenSaver()
{
    const std::string path = SysGetXScreenSaverFilePath();
    std::string text;
    const EXScreenSaverFileRead read = SysReadXScreenSaverFile(&text);
    if (read == XSCREENSAVER_FILE_UNREADABLE) {
        std::fprintf(stderr, "coralux: cannot read %s; nothing changed\n",
                     path.empty() ? "~/.xscreensaver" : path.c_str());
        return false;
    }
    if (read == XSCREENSAVER_FILE_MISSING)
        text.clear();
    const EListChange change = AddCoraluxEntry(&text);
    if (change != LIST_UNCHANGED && !SysReplaceXScreenSaverFile(text)) {
        std::fprintf(stderr, "coralux: cannot write %s; nothing changed\n", path.c_str());
        return false;
    }
    switch (change) {
    case LIST_ADDED:
        std::printf("Coralux is in xscreensaver's list now (%s): choose \"Coralux\" in xscreensaver-settings.\n",
                    path.c_str());
        break;
    case LIST_MARKED:
        std::printf("Coralux's line in %s now takes its settings from xscreensaver's settings pane.\n", path.c_str());
        break;
    case LIST_UNCHANGED:
        std::printf("Coralux is in xscreensaver's list already (%s).\n", path.c_str());
        break;
    }
    return true;
}
