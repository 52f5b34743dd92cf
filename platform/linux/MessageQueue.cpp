// Our message queue: SDL's events become our messages, in the order they came,
// behind the messages the program posted itself.
#include <SDL.h>
#include <deque>

#include "platform/linux/ChildWindow.h"
#include "platform/linux/QuitSignals.h"
#include "platform/linux/SuspendWatch.h"
#include "platform/linux/WindowTable.h"
#include "platform/linux/XSession.h"

namespace {

std::deque<SMessage> g_queue;
bool g_quitPosted = false;
bool g_appActive = false;  // one of our windows has the keyboard focus

const uintptr_t ACTIVE = 1;
const uintptr_t INACTIVE = 0;

void Enqueue(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    g_queue.push_back({window, message, wParam, lParam});
}

// Key codes as the host numbers them, for the keys that have a fixed number.
uintptr_t ToKeyCode(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z)
        return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return 0x70 + (key - SDLK_F1);
    switch (key) {
    case SDLK_BACKSPACE:
        return 0x08;
    case SDLK_TAB:
        return 0x09;
    case SDLK_RETURN:
        return 0x0D;
    case SDLK_ESCAPE:
        return 0x1B;
    case SDLK_SPACE:
        return 0x20;
    case SDLK_LEFT:
        return 0x25;
    case SDLK_UP:
        return 0x26;
    case SDLK_RIGHT:
        return 0x27;
    case SDLK_DOWN:
        return 0x28;
    default:
        return 0;
    }
}

intptr_t PackPoint(int x, int y)
{
    return static_cast<intptr_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) | (x & 0xFFFF));
}

void TranslateFocus(HWindow window, bool gained)
{
    // SDL has read every pending X event before handing out this one, so the
    // focus it reports is where the keyboard went.
    const bool appActive = SDL_GetKeyboardFocus() != nullptr;
    if (appActive != g_appActive) {
        g_appActive = appActive;
        PostToAllWindows(MSG_ACTIVATEAPP, appActive ? ACTIVE : INACTIVE, 0);
    }
    Enqueue(window, MSG_NCACTIVATE, gained ? ACTIVE : INACTIVE, 0);
    Enqueue(window, MSG_ACTIVATE, gained ? ACTIVE : INACTIVE, 0);
}

void TranslateWindowEvent(HWindow window, const SDL_WindowEvent& event)
{
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        Enqueue(window, MSG_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        TranslateFocus(window, true);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        TranslateFocus(window, false);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        Enqueue(window, MSG_PAINT, 0, 0);
        break;
    default:
        break;
    }
}

void TranslateButton(HWindow window, const SDL_MouseButtonEvent& event)
{
    const intptr_t point = PackPoint(event.x, event.y);
    switch (event.button) {
    case SDL_BUTTON_LEFT:
        Enqueue(window, MSG_LBUTTONDOWN, 0, point);
        break;
    case SDL_BUTTON_RIGHT:
        Enqueue(window, MSG_RBUTTONDOWN, 0, point);
        break;
    case SDL_BUTTON_MIDDLE:
        Enqueue(window, MSG_MBUTTONDOWN, 0, point);
        break;
    default:
        break;
    }
}

// SDL's quit event is left alone: it only means our last window closed, which
// the window's own close message already says.
void TranslateEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
        if (SLinuxWindow* window = FindWindowBySdlId(event.key.windowID)) {
            const bool alt = (event.key.keysym.mod & KMOD_ALT) != 0;
            Enqueue(window->handle, alt ? MSG_SYSKEYDOWN : MSG_KEYDOWN, ToKeyCode(event.key.keysym.sym), 0);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (SLinuxWindow* window = FindWindowBySdlId(event.button.windowID))
            TranslateButton(window->handle, event.button);
        break;
    case SDL_MOUSEMOTION:
        if (SLinuxWindow* window = FindWindowBySdlId(event.motion.windowID)) {
            Enqueue(window->handle, MSG_SETCURSOR, window->handle, 0);
            Enqueue(window->handle, MSG_MOUSEMOVE, 0, PackPoint(event.motion.x, event.motion.y));
        }
        break;
    case SDL_WINDOWEVENT:
        if (SLinuxWindow* window = FindWindowBySdlId(event.window.windowID))
            TranslateWindowEvent(window->handle, event.window);
        break;
    default:
        break;
    }
}

void PumpEvents()
{
    InstallQuitSignals();
    PumpXChildEvents();
    if (!IsVideoStarted())
        return;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        TranslateEvent(event);
    DeliverSuspendNews();
}

bool IsQuitPending()
{
    if (TakeQuitSignal())
        g_quitPosted = true;
    return g_quitPosted;
}

}  // namespace

void ForgetQueuedMessages(HWindow window)
{
    std::erase_if(g_queue, [window](const SMessage& message) { return message.window == window; });
}

void SysPostMessage(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    Enqueue(window, message, wParam, lParam);
}

void SysPostQuit()
{
    g_quitPosted = true;
}

bool SysPeekMessage(SMessage* message)
{
    PumpEvents();
    if (!g_queue.empty()) {
        *message = g_queue.front();
        g_queue.pop_front();
        return true;
    }
    // As on the host, the quit comes once everything before it is handled.
    if (IsQuitPending()) {
        g_quitPosted = false;
        *message = {0, MSG_QUIT, 0, 0};
        return true;
    }
    return false;
}

intptr_t SysDispatchMessage(const SMessage& message)
{
    return CallWindowProc(message.window, message.message, message.wParam, message.lParam);
}

void SysWaitMessage(uint32_t milliseconds)
{
    PumpEvents();
    if (!g_queue.empty() || IsQuitPending())
        return;
    if (IsVideoStarted())
        SDL_WaitEventTimeout(nullptr, static_cast<int>(milliseconds));
    else
        WaitForXChildEvents(milliseconds);
}
