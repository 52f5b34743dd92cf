#pragma once
// Windows inside a parent window: the preview host's window, or a native area
// of our own dialog. SDL cannot make a window inside a foreign one, so these
// are plain X windows of our own Xlib connection, and their events (expose,
// destruction with the parent) reach the message queue from here. Internal to
// the back end.
#include <cstdint>

// Makes and maps nothing yet: a window at (x, y) of the parent with the
// parent's visual, listening for exposure and its own destruction. 0 when the
// parent does not exist (or vanished meanwhile) or there is no display.
unsigned long CreateXChildWindow(unsigned long parent, const char* title, int x, int y, int width, int height);
// Destroys it unless the server already did (with its parent).
void DestroyXChildWindow(unsigned long window);
void MapXChildWindow(unsigned long window);
// The size of any X window, ours or another program's; false when it does not exist.
bool GetXWindowSize(unsigned long window, int* width, int* height);

// Turns the waiting X events of our child windows into messages: an exposure
// posts MSG_PAINT, a destruction by the server destroys our record (MSG_DESTROY
// reaches the procedure). Does nothing before the first child window.
void PumpXChildEvents();
// Blocks until an X event for a child window waits or the time has passed;
// a plain sleep before the first child window.
void WaitForXChildEvents(uint32_t milliseconds);
