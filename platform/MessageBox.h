#pragma once
// The one way the program tells the user about a failure: a modal box with an
// OK button, also written to standard error so a failure shows without a display.

// Called by CSaverApp::InitInstance when a run fails. Returns when dismissed.
void SysMessageBox(const char* title, const char* text);
