#include "platform/linux/SuspendWatch.h"

#include <gio/gio.h>

#include "platform/linux/WindowTable.h"

namespace {

// The bus's news is dispatched on a context of our own, so GTK's loop and
// ours never deliver each other's events.
GMainContext* g_context = nullptr;
GDBusConnection* g_bus = nullptr;

void OnPrepareForSleep(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant* parameters,
                       gpointer)
{
    gboolean sleeping = FALSE;
    if (g_variant_is_of_type(parameters, G_VARIANT_TYPE("(b)")))
        g_variant_get(parameters, "(b)", &sleeping);
    // True before sleeping; false again on waking, when there is nothing to do.
    if (sleeping)
        PostToAllWindows(MSG_POWERBROADCAST, PBT_SUSPEND, 0);
}

}  // namespace

void WatchForSuspend()
{
    if (g_context)
        return;
    g_context = g_main_context_new();
    g_main_context_push_thread_default(g_context);
    g_bus = g_bus_get_sync(G_BUS_TYPE_SYSTEM, nullptr, nullptr);
    // Any sender: the worst a forged signal can do is end a screen saver.
    if (g_bus)
        g_dbus_connection_signal_subscribe(g_bus, nullptr, "org.freedesktop.login1.Manager", "PrepareForSleep",
                                           "/org/freedesktop/login1", nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
                                           OnPrepareForSleep, nullptr, nullptr);
    g_main_context_pop_thread_default(g_context);
}

void DeliverSuspendNews()
{
    if (g_context)
        while (g_main_context_iteration(g_context, FALSE)) {
        }
}
