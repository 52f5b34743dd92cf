#pragma once
// The user's choices, one process-wide record. Filled with defaults at start,
// overwritten from the per-user store, edited by the setup dialog and written
// back. Every part of the program reads the values straight from here; values
// are used as stored, without range checks.
#include <cstdint>
#include <string>

struct SettingsRecord
{
    int32_t ScreenWidth;
    int32_t ScreenHeight;
    int32_t ScreenDepth;
    int32_t UseDesktopSettings;
    int32_t EnableSounds;
    int32_t UseDesktopBitmap;
    int32_t BackgroundRes;
    int32_t EnableRipples;
    int32_t EnableFPS;
    int32_t Fade;
    int32_t YellowFishCount;
    int32_t PearlFishCount;
    int32_t BlueFishCount;
    int32_t TinyFishCount;
    std::string Path;  // folder of the installed files, ending in a backslash
};

extern SettingsRecord g_Settings;

// Puts the defaults into the record (not into the store); Path is not touched.
void SetDefaultSettings();
