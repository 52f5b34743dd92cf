#pragma once
// An X server (Xvfb) of the test's own, for tests that change the screen mode
// or move the pointer and so must not share a display with other tests. Points
// DISPLAY at it for the object's life; create it before anything opens the
// display. IsReady() says whether the server started.
#include <string>
#include <sys/types.h>

class CPrivateXServer
{
public:
    CPrivateXServer(int width, int height);
    ~CPrivateXServer();
    CPrivateXServer(const CPrivateXServer&) = delete;
    CPrivateXServer& operator=(const CPrivateXServer&) = delete;

    bool IsReady() const { return m_pid > 0 && !m_display.empty(); }
    const std::string& GetDisplay() const { return m_display; }

private:
    pid_t m_pid = -1;
    std::string m_display;
    std::string m_previous;
    bool m_hadPrevious = false;
};
