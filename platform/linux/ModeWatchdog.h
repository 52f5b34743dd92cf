#pragma once
// A small process that puts the desktop's display mode back when the show
// dies without doing it (SIGKILL, a crash, a failed assert): XRandR changes
// the whole X server, which outlives us. Started before the first switch, it
// waits on a pipe that the show's end closes, however that end comes.
// Internal to the back end.
#include <X11/Xlib.h>

// Forks the watchdog; on the pipe's close without a word it opens its own
// connection to the display and calls restore. False when it cannot start
// (the show then goes on without it). Later calls while it runs do nothing.
bool StartModeWatchdog(void (*restore)(Display* display));
// The show restored the mode itself: the watchdog ends without acting.
void StopModeWatchdog();
