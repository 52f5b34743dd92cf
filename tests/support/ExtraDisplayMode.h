#pragma once
// Gives the X server's primary output one more video mode for the object's
// life, as a test's stand-in for a display that offers several. The server
// drops a mode when the client that made it disconnects, so this holds its
// own connection open. Also reads the screen's size as the server shows it.
#include <cstdint>

typedef struct _XDisplay Display;

class CExtraDisplayMode
{
public:
    // rate: frames a second the mode refreshes at.
    CExtraDisplayMode(int width, int height, int rate = 60);
    ~CExtraDisplayMode();
    CExtraDisplayMode(const CExtraDisplayMode&) = delete;
    CExtraDisplayMode& operator=(const CExtraDisplayMode&) = delete;

    bool IsReady() const { return m_mode != 0; }
    // The size of the primary CRTC's mode as the server shows it now.
    bool GetShownSize(int* width, int* height) const;

private:
    Display* m_display = nullptr;
    unsigned long m_mode = 0;
    unsigned long m_output = 0;
};
