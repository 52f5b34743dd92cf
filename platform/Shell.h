#pragma once
// The desktop's services for files: opening a document with the handler the
// user chose for its kind, and finding files beside the program.
#include <string>

// Starts the desktop's handler for the file (xdg-open on Linux) and returns
// without waiting for it; false when it cannot even be started.
bool SysOpenDocument(const std::string& path);
// True for an existing regular file.
bool SysFileExists(const std::string& path);
// The folder of the running executable, ending in '/'; empty when unknown.
std::string SysGetProgramFolder();
