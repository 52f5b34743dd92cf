#include "platform/linux/MessagePumpSource.h"

#include <glib.h>

#include "platform/linux/QuitSignals.h"
#include "platform/linux/XSession.h"

namespace {

struct SPumpSource
{
    GSource source;
    GPollFD poll;
    GPollFD quitPoll;  // the quit signals' pipe
    Display* display;
    SPumpCallbacks* callbacks;
};

// Events Xlib already read off the socket wake nobody: they are looked for here.
gboolean Prepare(GSource* source, gint* timeout)
{
    *timeout = -1;
    return XEventsQueued(reinterpret_cast<SPumpSource*>(source)->display, QueuedAlready) > 0;
}

gboolean Check(GSource* source)
{
    SPumpSource* pump = reinterpret_cast<SPumpSource*>(source);
    return ((pump->poll.revents | pump->quitPoll.revents) & G_IO_IN) || XEventsQueued(pump->display, QueuedAlready) > 0;
}

gboolean Dispatch(GSource* source, GSourceFunc, gpointer)
{
    SPumpSource* pump = reinterpret_cast<SPumpSource*>(source);
    try {
        SMessage message;
        while (SysPeekMessage(&message)) {
            if (message.message == MSG_QUIT)
                pump->callbacks->onQuit();
            else
                SysDispatchMessage(message);
        }
    } catch (...) {
        pump->callbacks->onFailure(std::current_exception());
    }
    return G_SOURCE_CONTINUE;
}

void Finalize(GSource* source)
{
    delete reinterpret_cast<SPumpSource*>(source)->callbacks;
}

GSourceFuncs g_pumpFuncs = {Prepare, Check, Dispatch, Finalize, nullptr, nullptr};

}  // namespace

unsigned AttachMessagePump(SPumpCallbacks callbacks)
{
    Display* display = GetXDisplay();
    if (!display)
        return 0;
    GSource* source = g_source_new(&g_pumpFuncs, sizeof(SPumpSource));
    SPumpSource* pump = reinterpret_cast<SPumpSource*>(source);
    pump->display = display;
    pump->callbacks = new SPumpCallbacks(std::move(callbacks));
    pump->poll.fd = ConnectionNumber(display);
    pump->poll.events = G_IO_IN;
    g_source_add_poll(source, &pump->poll);
    pump->quitPoll.fd = GetQuitSignalFd();
    pump->quitPoll.events = G_IO_IN;
    if (pump->quitPoll.fd >= 0)
        g_source_add_poll(source, &pump->quitPoll);
    const unsigned id = g_source_attach(source, nullptr);
    g_source_unref(source);
    return id;
}
