#include "platform/linux/QuitSignals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_quitSignal = 0;
bool g_installed = false;
const int QUIT_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};
// A pipe the handler writes a byte into, so a sleeping poll wakes.
int g_wakeRead = -1;
int g_wakeWrite = -1;

// The byte goes before the flag: a byte is then never left behind once its
// flag is taken, which would keep a poll waking for nothing.
void OnQuitSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    if (g_wakeWrite >= 0) {
        const ssize_t written = write(g_wakeWrite, &byte, 1);
        static_cast<void>(written);  // a full pipe wakes its reader already
    }
    g_quitSignal = 1;
    errno = saved;
}

void DrainWakePipe()
{
    char bytes[16];
    while (g_wakeRead >= 0 && read(g_wakeRead, bytes, sizeof bytes) > 0)
        continue;
}

}  // namespace

void InstallQuitSignals()
{
    // Once only: after the first signal the default action must stay in force.
    if (g_installed)
        return;
    g_installed = true;
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) == 0) {
        g_wakeRead = pipeEnds[0];
        g_wakeWrite = pipeEnds[1];
    }
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
    DrainWakePipe();
    return true;
}

int GetQuitSignalFd()
{
    return g_wakeRead;
}
