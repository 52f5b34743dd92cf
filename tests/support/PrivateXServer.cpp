#include "tests/support/PrivateXServer.h"

#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/Window.h"

namespace {

const int START_TIMEOUT_MS = 10000;

// Reads the display number Xvfb writes once it accepts clients.
std::string ReadDisplayNumber(int fd)
{
    std::string number;
    pollfd waiting = {fd, POLLIN, 0};
    char c = 0;
    while (poll(&waiting, 1, START_TIMEOUT_MS) > 0 && read(fd, &c, 1) == 1 && c != '\n')
        number += c;
    return number;
}

}  // namespace

CPrivateXServer::CPrivateXServer(int width, int height)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return;
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const std::string displayFd = std::to_string(pipeFds[1]);
    m_pid = fork();
    if (m_pid == 0) {
        // A test process that dies without its destructors takes the server along.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(pipeFds[0]);
        execlp("Xvfb", "Xvfb", "-displayfd", displayFd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    if (m_pid > 0) {
        const std::string number = ReadDisplayNumber(pipeFds[0]);
        if (!number.empty())
            m_display = ":" + number;
    }
    close(pipeFds[0]);
    if (const char* previous = std::getenv("DISPLAY")) {
        m_previous = previous;
        m_hadPrevious = true;
    }
    if (IsReady()) {
        // Connections opened before belong to the display this one replaces.
        SysCloseDisplay();
        setenv("DISPLAY", m_display.c_str(), 1);
    }
}

CPrivateXServer::~CPrivateXServer()
{
    SysCloseDisplay();
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_hadPrevious)
        setenv("DISPLAY", m_previous.c_str(), 1);
    else
        unsetenv("DISPLAY");
}
