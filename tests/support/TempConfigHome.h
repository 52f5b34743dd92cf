#pragma once
// Points XDG_CONFIG_HOME at a fresh temporary folder for the life of the
// object, so a test never reads or writes the user's real settings.
#include <string>

class CTempConfigHome
{
public:
    CTempConfigHome();
    ~CTempConfigHome();
    const std::string& GetPath() const { return m_path; }
    // The per-user store's file under this config home.
    std::string GetStoreFile() const { return m_path + "/coralux/settings.reg"; }
    // Where earlier versions kept it.
    std::string GetEarlierStoreFile() const { return m_path + "/Quillworth Software/Coralux Screensaver.reg"; }

private:
    std::string m_path;
    std::string m_previous;
    bool m_hadPrevious = false;
};
