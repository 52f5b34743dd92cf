#pragma once
// Sets an environment variable for the life of the object and puts back what
// it was (or removes it) afterwards.
#include <string>

class CScopedEnv
{
public:
    CScopedEnv(const char* name, const std::string& value);
    ~CScopedEnv();
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
    std::string m_name;
    std::string m_previous;
    bool m_hadPrevious = false;
};
