#pragma once
// The back end's link to the X server, shared by the files of platform/linux.
// SDL's video subsystem owns our windows, their GL contexts and their input;
// one Xlib connection of our own serves what SDL lacks or gets stale: the
// exact pointer position, screen modes (XRandR), window backgrounds and
// windows of other programs. Internal to the back end.
#include <X11/Xlib.h>

// Starts SDL's video subsystem once (and the Xlib connection with it); false,
// with a message on standard error, when there is no display to show on.
bool StartVideo();
bool IsVideoStarted();

// Our own Xlib connection, opened on first use; null when there is no display.
// X errors on any connection are never fatal; those of a window gone
// (BadWindow, BadDrawable) pass quietly, the others are logged.
Display* GetXDisplay();

// True when the X server knows a window of that id (ours or another program's).
bool DoesXWindowExist(unsigned long window);
// The window's attributes on our connection; false, quietly, when it is gone.
bool GetXWindowAttributes(unsigned long window, XWindowAttributes* attributes);

// Frees the arrow cursor SDL made; called before SDL's video system ends.
void ForgetArrowCursor();
