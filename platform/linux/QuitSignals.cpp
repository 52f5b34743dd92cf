#include "platform/linux/QuitSignals.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t g_quitSignal = 0;
bool g_installed = false;
const int QUIT_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};

void OnQuitSignal(int)
{
    g_quitSignal = 1;
}

}  // namespace

void InstallQuitSignals()
{
    // Once only: after the first signal the default action must stay in force.
    if (g_installed)
        return;
    g_installed = true;
    struct sigaction action = {};
    action.sa_handler = OnQuitSignal;
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int signal : QUIT_SIGNALS)
        sigaction(signal, &action, nullptr);
}

bool RestoreQuitSignals()
{
    for (int signal : QUIT_SIGNALS)
        std::signal(signal, SIG_DFL);
    return g_quitSignal != 0;
}

bool TakeQuitSignal()
{
    if (!g_quitSignal)
        return false;
    g_quitSignal = 0;
    return true;
}
