#pragma once
// The user's runtime folder ($XDG_RUNTIME_DIR: private, gone at log-out),
// where the session's sound server, our locks and other per-session files
// live. Internal to the back end.
#include <string>

// True for a folder of this user's (not a link to one) that no one else can write into.
bool IsPrivateFolder(const std::string& folder);

// When XDG_RUNTIME_DIR is unset or empty, sets it to USERS_FOLDER/<uid> if that is a
// private folder of this user's: the one the system's login manager makes.
// A test names another place for the users' folders.
void RestoreRuntimeFolder(const std::string& usersFolder = "/run/user");
