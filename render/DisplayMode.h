#pragma once
// Switching the display for the show and putting the desktop's mode back.
// Called by CSaverApp::DoSaver, only when the desktop settings are not kept.

// Switches to width x height for this run only. True only when the screen
// then shows exactly that size; the colour depth is the screen's own.
bool ChangeDisplayMode(int width, int height, int bits);

// Puts back the desktop's mode from before the switch; nothing when none was made.
void RestoreDisplayMode();
