// CSaverApp's settings: the record read from and written to the per-user store.
#include "app/SaverApp.h"

#include "app/Registry.h"
#include "app/Settings.h"
#include "app/Trace.h"

namespace {

const char SETTINGS_KEY[] = "Software\\Quillworth Software\\Coralux Screensaver";
const char PATH_DEFAULT[] = ".\\";  // the current folder

struct SNumericSetting
{
    const char* name;
    int32_t SettingsRecord::*field;
};

// Read and written in this order.
const SNumericSetting NUMERIC_SETTINGS[] = {
    {"ScreenWidth", &SettingsRecord::ScreenWidth},
    {"ScreenHeight", &SettingsRecord::ScreenHeight},
    {"ScreenDepth", &SettingsRecord::ScreenDepth},
    {"UseDesktopSettings", &SettingsRecord::UseDesktopSettings},
    {"EnableSounds", &SettingsRecord::EnableSounds},
    {"UseDesktopBitmap", &SettingsRecord::UseDesktopBitmap},
    {"BackgroundRes", &SettingsRecord::BackgroundRes},
    {"EnableRipples", &SettingsRecord::EnableRipples},
    {"EnableFPS", &SettingsRecord::EnableFPS},
    {"Fade", &SettingsRecord::Fade},
    {"YellowFishCount", &SettingsRecord::YellowFishCount},
    {"PearlFishCount", &SettingsRecord::PearlFishCount},
    {"BlueFishCount", &SettingsRecord::BlueFishCount},
    {"TinyFishCount", &SettingsRecord::TinyFishCount},
};

}  // namespace

void CSaverApp::LoadSettings()
{
    try {
        // Without the store the defaults stay in force, and Path is empty.
        CRegistry registry;
        registry.Create(SETTINGS_KEY);
        for (const SNumericSetting& setting : NUMERIC_SETTINGS)
            registry.QueryDword(setting.name, &(g_Settings.*setting.field));
        g_Settings.Path = registry.ReadString("Path", PATH_DEFAULT);
    } catch (...) {
        AddTrace("CSaverApp::LoadSettings");
        throw;
    }
}

bool CSaverApp::SaveSettings()
{
    CRegistry registry;
    if (!registry.Create(SETTINGS_KEY))
        return false;
    bool written = true;
    for (const SNumericSetting& setting : NUMERIC_SETTINGS)
        written = registry.SetDword(setting.name, g_Settings.*setting.field) && written;
    return registry.Close() && written;
}

void CSaverApp::SaveMissingSettings()
{
    CRegistry registry;
    if (!registry.Create(SETTINGS_KEY))
        return;
    for (const SNumericSetting& setting : NUMERIC_SETTINGS)
        registry.AddDword(setting.name, g_Settings.*setting.field);
}
