// Windows hosts start a screen saver with the user's whole environment.
#include "platform/Session.h"

void SysRestoreSessionEnvironment() {}
