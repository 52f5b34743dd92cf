#pragma once
// The display mode of the whole screen, changed for the run and put back after.
#include "platform/Window.h"

// Switches the screen to width x height for this program's run. An X11 screen
// cannot change its colour depth, so the bits are accepted as they are. True
// only when the screen then shows exactly that size (at once when it already
// does); false when the display offers no such size, with the screen as it was.
bool SysSetDisplayMode(int width, int height, int bitsPerPixel);
// Puts back the mode the desktop had before the first successful switch.
void SysRestoreDisplayMode();
// Frames a second that the monitor showing the window's middle (or else the
// primary one) refreshes at; 0 when the display cannot tell.
double SysGetRefreshRate(HWindow window);
