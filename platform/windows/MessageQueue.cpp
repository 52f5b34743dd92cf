// The thread's own message queue of the host.
#include "platform/windows/WindowClasses.h"

void SysPostMessage(HWindow window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    if (window == 0)
        PostThreadMessageA(GetCurrentThreadId(), message, wParam, lParam);
    else
        PostMessageA(ToHwnd(window), message, wParam, lParam);
}

void SysPostQuit()
{
    PostQuitMessage(0);
}

bool SysPeekMessage(SMessage* message)
{
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    *message = {ToHandle(msg.hwnd), msg.message, msg.wParam, msg.lParam};
    return true;
}

intptr_t SysDispatchMessage(const SMessage& message)
{
    MSG msg = {};
    msg.hwnd = ToHwnd(message.window);
    msg.message = message.message;
    msg.wParam = message.wParam;
    msg.lParam = message.lParam;
    msg.time = GetMessageTime();
    TranslateMessage(&msg);
    return DispatchMessageA(&msg);
}

void SysWaitMessage(uint32_t milliseconds)
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLEVENTS);
}
