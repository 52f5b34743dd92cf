// The pointer: the host keeps the show count and the position itself.
#include "platform/windows/WindowClasses.h"

int SysShowCursor(bool show)
{
    return ShowCursor(show ? TRUE : FALSE);
}

void SysSetArrowCursor()
{
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

bool SysGetCursorPos(int* x, int* y)
{
    POINT point;
    if (!GetCursorPos(&point))
        return false;
    *x = point.x;
    *y = point.y;
    return true;
}
