#pragma once
// Reading the screen's pixels, for the copy of the desktop the show can swim
// over. Not a screenshot tool: it reads the primary screen's top-left corner
// once, at start.
#include <cstdint>

// Copies the width x height pixels at the primary screen's top-left corner into
// pixels: width x 4 bytes per row, rows bottom-up (the screen's top row
// last), bytes B, G, R, 0. Parts of the rectangle beyond the screen are black.
// Returns false and leaves pixels untouched when the screen cannot be read
// (no X display, or XWayland, which cannot see the Wayland desktop).
bool SysCaptureScreen(uint8_t* pixels, int width, int height);
