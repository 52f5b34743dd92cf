#include "app/Trace.h"

int g_bRunning = 1;
std::string g_strError;
std::string g_strTrace;

void AddTrace(const char* name)
{
    if (g_strTrace.empty())
        g_strTrace = std::string(name) + "()";
    else
        g_strTrace = std::string(name) + "() -> " + g_strTrace;
}

void RaiseError(const char* message)
{
    g_strError = std::string("\"") + message + "\"";
    throw SSaverFailure();
}

void RaiseResourceError()
{
    throw SSaverFailure();
}

void RaiseInvalidArgument()
{
    throw SSaverFailure();
}

std::string FormatFailure()
{
    const std::string message = g_strError.empty() ? "\"Unknown Error\"" : g_strError;
    return g_strTrace + "\n\n" + message;
}

void ResetTrace()
{
    g_strError.clear();
    g_strTrace.clear();
}
