#include <windows.h>

#include <cstdio>

#include "platform/MessageBox.h"

void SysMessageBox(const char* title, const char* text)
{
    // A console host (a test run) still sees the failure when no one reads the box.
    std::fprintf(stderr, "%s\n%s\n", title, text);
    std::fflush(stderr);
    MessageBoxA(nullptr, text, title, MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL);
}
