#pragma once
// Our message queue serviced from GLib's main loop, so the picture windows
// inside a GTK dialog paint and repaint while GTK runs. Internal to the back end.
#include <exception>
#include <functional>

#include "platform/Window.h"

struct SPumpCallbacks
{
    std::function<void()> onQuit;                       // MSG_QUIT was taken
    std::function<void(std::exception_ptr)> onFailure;  // a window procedure raised
};

// Attaches a source that wakes on our X connection, and on a quit signal,
// and dispatches every waiting message (a signal's is MSG_QUIT). Nothing
// raised gets past GLib: it goes to onFailure.
// Returns the source id for g_source_remove, 0 when there is no X connection.
unsigned AttachMessagePump(SPumpCallbacks callbacks);
