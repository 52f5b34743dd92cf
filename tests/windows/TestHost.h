#pragma once
// The commands of TestHost, the stand-in for the host's screen-saver settings
// and the desktop's helpers that the Wine tests use. Each returns the exit
// status: 0 when its check holds, 1 with the reason printed otherwise.
#include <windows.h>

#include <string>

int Fail(const char* what);
// Pumps this thread's messages for the given time, so its windows stay responsive.
void PumpFor(DWORD milliseconds);
// Starts a process with that command line; false when it cannot start.
bool Start(const std::string& commandLine, PROCESS_INFORMATION* process);

// Waits up to 30 s for a top-level window of that title; null when none came.
HWND WaitForWindow(const char* title);

// TestHost window TITLE: waits for a top-level window of that title and
// prints how the system sees it, in physical pixels:
//   awareness=A dpi=D window=LEFT,TOP,RIGHT,BOTTOM screen=WIDTHxHEIGHT
// A is the DPI awareness of the thread that made it: 0 unaware, 1 system
// aware, 2 per-monitor aware.
int PrintWindow(const char* title);
// The .scr's picture windows inside a window: true when there are that many
// and each covers its frame's client area exactly. Each is printed as
//   picture WIDTHxHEIGHT+X+Y at LEFT,TOP in a WIDTHxHEIGHT frame
// (on the screen, then within its frame).
bool PicturesFill(HWND window, int expected);
// TestHost pictures TITLE N: the same for the window of that title, as a
// per-monitor aware program sees it.
int CheckPictures(const char* title, int expected);
// TestHost press TITLE ID: presses the button ID of the dialog of that title,
// as a click would.
int PressButton(const char* title, int id);
// TestHost monitors: one line per monitor, "LEFT,TOP,RIGHT,BOTTOM", the
// primary one marked " primary".
int PrintMonitors();

// TestHost manifest SCR: the settings, assemblies and supported systems of
// the .scr's manifest, as the system reads them (TestHostManifest.cpp).
int PrintManifest(const char* scr);

// TestHost opened FILE: a stand-in for the handler of a kind of document;
// appends FILE, as UTF-8, and a newline to the file %CORALUX_OPENED% names.
int RecordOpened();
// TestHost version FILE: prints the version resource's product name and file
// version, as the file's Properties show them: "NAME VERSION".
int PrintVersion(const char* file);
// TestHost codepage: prints the ANSI code page the process runs with.
int PrintCodePage();
// TestHost settingchange ACTION: prints "listening" once it hears what every
// top-level window hears, then waits up to a minute for the announcement
// (WM_SETTINGCHANGE) of the system parameter ACTION.
int WaitForSettingChange(unsigned action);
