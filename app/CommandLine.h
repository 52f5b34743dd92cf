#pragma once
// Reading the host's command line: the first argument chooses the run mode by
// its first letter after an optional '-', '/' or blank; some modes take a
// window handle as the second argument. Nothing else is looked at.
#include "platform/Window.h"

enum ERunMode
{
    RUN_CONFIG,    // no argument, or c: the setup dialog
    RUN_PASSWORD,  // a: the host's password change
    RUN_PREVIEW,   // p: the picture in the host's preview window
    RUN_SAVER,     // s: the full-screen show
    RUN_NONE,      // anything else: end quietly
};

// True when the argument is the switch for that letter: one leading '-', '/'
// or blank is skipped, then only the next character counts, in either case.
bool IsSwitch(const char* argument, char letter);

// The run mode for the arguments (argv[0] is the program). Switches are tried
// in the order c, a, p, s.
ERunMode GetRunMode(int argc, const char* const* argv);

// The window handle in the second argument, read as a signed decimal number
// (leading blanks skipped, stopping at the first non-digit). A missing
// argument, no digits, or a number no window can have gives 0: no window.
HWindow GetWindowArgument(int argc, const char* const* argv);
