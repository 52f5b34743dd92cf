#pragma once
// A picture window: a borderless child that fills the client area of a given
// parent and shows one bitmap resource, scaled to that size once when it is
// loaded. The preview shows it inside the host's window, the setup dialog in
// its picture frame and caption strip. Its destruction clears the running
// flag: that is how the preview learns that the host closed its window.
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Window.h"

const int BITMAP_PREVIEW = 132;  // 200 x 150, the aquarium
const int BITMAP_TITLE = 133;    // 512 x 32, the setup dialog's caption strip

class CSplashWnd
{
public:
    // Joins the live list.
    CSplashWnd();
    // Destroys the window if it still exists, then leaves the live list.
    virtual ~CSplashWnd();
    CSplashWnd(const CSplashWnd&) = delete;
    CSplashWnd& operator=(const CSplashWnd&) = delete;

    // Makes the window over the whole client area of parent, showing bitmap
    // resource bitmapId. False when the class or the window cannot be made,
    // among others when parent names no window.
    bool Create(HWindow parent, int bitmapId);
    HWindow GetHWND() const { return m_window; }

    // This object's message handler.
    intptr_t WndProc(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam);

    // The class's procedure: hands each message to the object of its window.
    static intptr_t StaticWndProc(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam);

private:
    int m_bitmapId = 0;
    HBitmap m_bitmap = 0;
    int m_width = 0;  // client size, read when the window is made
    int m_height = 0;
    HWindow m_window = 0;
};

// Every CSplashWnd that exists, in order of construction.
extern std::vector<CSplashWnd*> g_SplashWindows;
// The object whose window is being made, so that MSG_CREATE finds it before
// its handle is known; null otherwise.
extern CSplashWnd* g_pCreatingSplash;
