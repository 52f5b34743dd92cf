#pragma once
// What the desktop's screen-saver host offers a running screen saver: a mark
// that a screen saver runs, and the password services that an older host
// family leaves to the screen saver itself (a check before the show ends, a
// change dialog), each in a library of the host loaded by name at run time.
// A host that guards the password itself (newer Windows, every X11 screen-
// saver host) offers neither service: both lookups then give null and the
// program skips the step, as it does when the library is missing.
#include "platform/Window.h"

#include <cstdint>

// Asks for the password over the owner window; 1 when the right one was given.
typedef int (*PasswordCheckProc)(HWindow owner);
// Lets the user change the password of a provider ("SCRSAVE").
typedef void (*PasswordChangeProc)(const char* provider, HWindow owner, uint32_t reserved1, uint32_t reserved2);

// Tells the host whether a screen saver runs. True when the host took note.
bool SysSetScreenSaverRunning(bool running);

// The host's password check, when the host leaves it to the screen saver and
// the user has set a password; otherwise null.
PasswordCheckProc SysFindPasswordCheck();

// The host's password change dialog; null when the host has none.
PasswordChangeProc SysFindPasswordChange();
