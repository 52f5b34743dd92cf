#include "tests/support/TempConfigHome.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

CTempConfigHome::CTempConfigHome()
{
    if (const char* previous = std::getenv("XDG_CONFIG_HOME")) {
        m_previous = previous;
        m_hadPrevious = true;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "coralux-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary config folder");
    m_path = pattern;
    setenv("XDG_CONFIG_HOME", m_path.c_str(), 1);
}

CTempConfigHome::~CTempConfigHome()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
    if (m_hadPrevious)
        setenv("XDG_CONFIG_HOME", m_previous.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}
