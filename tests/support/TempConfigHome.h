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

private:
    std::string m_path;
    std::string m_previous;
    bool m_hadPrevious = false;
};
