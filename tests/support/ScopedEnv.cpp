#include "tests/support/ScopedEnv.h"

#include <cstdlib>

CScopedEnv::CScopedEnv(const char* name, const std::string& value) : m_name(name)
{
    if (const char* previous = std::getenv(name)) {
        m_previous = previous;
        m_hadPrevious = true;
    }
    setenv(name, value.c_str(), 1);
}

CScopedEnv::~CScopedEnv()
{
    if (m_hadPrevious)
        setenv(m_name.c_str(), m_previous.c_str(), 1);
    else
        unsetenv(m_name.c_str());
}
