#pragma once
// The user's desktop session as the process's environment describes it. A
// screen-saver host may start us with a trimmed environment: mate-screensaver
// keeps little more than DISPLAY and HOME, and without XDG_RUNTIME_DIR the
// user's sound server cannot be found.

// Puts back what the environment lacks and the system tells for sure.
// Called once at start, before anything reads the environment.
void SysRestoreSessionEnvironment();
