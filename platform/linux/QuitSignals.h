#pragma once
// SIGTERM, SIGINT, SIGHUP and SIGQUIT become the quit message, so a show
// stopped by its host, its terminal or its user still ends through its closing
// steps (display mode restored, cursor shown).
// Only the first signal is caught: a second one ends the process at once, so a
// program stuck before its loop can still be stopped. Internal to the back end.

// Called when the first window is made and by the message queue's first look,
// so both run loops hear the signals; later calls do nothing.
void InstallQuitSignals();
// True once a signal arrived and its quit has not been taken yet; clears it.
bool TakeQuitSignal();
// Readable from the moment a signal arrives until TakeQuitSignal takes it:
// for a loop that sleeps in poll rather than in our queue (GLib's). -1 when
// there is none (before InstallQuitSignals).
int GetQuitSignalFd();
// Gives the signals their default action back, for code that no longer
// reads messages (the failure box). True when one had already arrived.
bool RestoreQuitSignals();
