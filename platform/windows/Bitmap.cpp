// Bitmap resources through the host's own loader, which scales them to the
// size asked for, painted through a memory drawing context.
#include "platform/Bitmap.h"
#include "platform/windows/WindowClasses.h"

HBitmap SysLoadBitmap(int id, int width, int height)
{
    if (width <= 0 || height <= 0)
        width = height = 0;
    const HANDLE bitmap = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, width, height,
                                     LR_DEFAULTCOLOR);
    return reinterpret_cast<HBitmap>(bitmap);
}

void SysDeleteBitmap(HBitmap bitmap)
{
    if (bitmap != 0)
        DeleteObject(reinterpret_cast<HBITMAP>(bitmap));
}

bool SysDrawBitmap(HWindow window, HBitmap bitmap, int width, int height)
{
    if (bitmap == 0 || !SysIsWindow(window))
        return false;
    const HWND handle = ToHwnd(window);
    PAINTSTRUCT paint;
    // Within a paint the update region is validated here, or the system
    // would ask for the paint again and again; outside one, this draws at once.
    const bool painting = GetUpdateRect(handle, nullptr, FALSE) != FALSE;
    const HDC target = painting ? BeginPaint(handle, &paint) : GetDC(handle);
    if (!target)
        return false;
    const HDC memory = CreateCompatibleDC(target);
    bool drawn = false;
    if (memory) {
        const HGDIOBJ previous = SelectObject(memory, reinterpret_cast<HBITMAP>(bitmap));
        drawn = BitBlt(target, 0, 0, width, height, memory, 0, 0, SRCCOPY) != FALSE;
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    if (painting)
        EndPaint(handle, &paint);
    else
        ReleaseDC(handle, target);
    return drawn;
}
