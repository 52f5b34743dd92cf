#pragma once
// The error trace: how a failure travels out of the program to the one message
// box at the top. A method that detects a failure of its own sets the message
// and raises; every method on the way out adds its name in front of the trace
// and raises again:
//
//     void CGLDrawer::Init()
//     {
//         try { LoadTextures(); CreateFish(); }
//         catch (...) { AddTrace("CGLDrawer::Init"); throw; }
//     }
#include <string>

extern int g_bRunning;          // 1 while a run loop should go on
extern std::string g_strError;  // the failure's message, in double quotes
extern std::string g_strTrace;  // "Outer() -> Inner()", innermost last

// What is thrown. It carries nothing: the message lives in g_strError.
struct SSaverFailure
{};

// Puts name + "()" in front of the trace, joined by " -> ".
void AddTrace(const char* name);

// Stores the message between double quotes and raises.
[[noreturn]] void RaiseError(const char* message);

// Raises a failure that brings no message of its own ("Unknown Error" at the
// top), as a missing resource does.
[[noreturn]] void RaiseResourceError();

// Raises the failure for an index outside an array: a fault of our own data.
[[noreturn]] void RaiseInvalidArgument();

// The text the message box shows: the trace, a blank line and the message
// ("Unknown Error" when none was set).
std::string FormatFailure();

// Empties the message and the trace (between runs of a test).
void ResetTrace();
