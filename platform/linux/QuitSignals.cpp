#include "platform/linux/QuitSignals.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t g_quitSignal = 0;

void OnQuitSignal(int)
{
    g_quitSignal = 1;
}

}  // namespace

void InstallQuitSignals()
{
    struct sigaction action = {};
    action.sa_handler = OnQuitSignal;
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool TakeQuitSignal()
{
    if (!g_quitSignal)
        return false;
    g_quitSignal = 0;
    return true;
}
