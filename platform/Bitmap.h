#pragma once
// Bitmap resources of the executable (Windows BMP data, 8 or 24 bits per
// pixel), loaded at a chosen size and copied into windows. Used by the picture
// windows of the preview and of the setup dialog.
#include <cstdint>

#include "platform/Window.h"

typedef uintptr_t HBitmap;  // 0: no bitmap

// Loads bitmap resource id scaled to exactly width x height (its own size when
// either is 0 or less), as the host's loader does when asked for a size. 0
// when the resource is missing or is not a bitmap of a kind we read.
HBitmap SysLoadBitmap(int id, int width, int height);
void SysDeleteBitmap(HBitmap bitmap);
// Copies width x height pixels of the bitmap 1:1 to (0, 0) of a window (what
// a paint does); pixels beyond the bitmap are left alone. False when either
// is missing.
bool SysDrawBitmap(HWindow window, HBitmap bitmap, int width, int height);
