#include "render/DisplayMode.h"

#include "platform/DisplayMode.h"

bool ChangeDisplayMode(int width, int height, int bits)
{
    return SysSetDisplayMode(width, height, bits);
}

void RestoreDisplayMode()
{
    SysRestoreDisplayMode();
}
