#include "app/Settings.h"

SettingsRecord g_Settings = {};

void SetDefaultSettings()
{
    g_Settings.ScreenWidth = 640;
    g_Settings.ScreenHeight = 480;
    g_Settings.ScreenDepth = 16;
    g_Settings.UseDesktopSettings = 1;
    g_Settings.EnableSounds = 1;
    g_Settings.UseDesktopBitmap = 0;
    g_Settings.BackgroundRes = 512;
    g_Settings.EnableRipples = 1;
    g_Settings.EnableFPS = 0;
    g_Settings.Fade = 100;
    g_Settings.YellowFishCount = 5;
    g_Settings.PearlFishCount = 5;
    g_Settings.BlueFishCount = 5;
    g_Settings.TinyFishCount = 5;
}
