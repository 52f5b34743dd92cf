#pragma once
// Splits the X screen into two RandR monitors side by side, the left one
// primary unless told otherwise, for the object's life: a test's stand-in
// for a desk with two monitors. The server forgets a client's monitors when
// it disconnects, so this holds its own connection open.
typedef struct _XDisplay Display;

class CSplitMonitors
{
public:
    CSplitMonitors();
    ~CSplitMonitors();
    CSplitMonitors(const CSplitMonitors&) = delete;
    CSplitMonitors& operator=(const CSplitMonitors&) = delete;

    bool IsReady() const { return m_ready; }
    // Makes the right half the primary monitor, or the left one again.
    bool SetRightPrimary(bool rightPrimary);
    // Width of each half, in pixels.
    int GetHalfWidth() const { return m_halfWidth; }

private:
    Display* m_display = nullptr;
    int m_halfWidth = 0;
    int m_height = 0;
    bool m_ready = false;
};
