#pragma once
// The store's file on disk: read whole, and replaced in one step. A reader
// sees the old file or the new one, never a mixture; a save that fails midway
// (full disk, a kill, a crash) leaves the old file as it was.
#include <cstddef>
#include <string>

enum EStoreFileRead
{
    STORE_FILE_READ,        // text holds the whole file
    STORE_FILE_MISSING,     // no file there yet
    STORE_FILE_UNREADABLE,  // something is there that cannot be read as a small file
};

// Reads a regular file of at most maxBytes bytes. A folder, a device, a pipe
// or a larger file counts as unreadable, and so does an error while reading.
EStoreFileRead ReadStoreFile(const std::string& path, size_t maxBytes, std::string* text);

// Writes the text to a temporary file beside the target, flushes it to disk
// and renames it over the target. A symbolic link is followed, so the link
// stays. A target the user made read-only is left alone. The caller holds the
// folder's lock (CFolderLock): the temporary file's name is fixed. False when
// the file could not be replaced; the old one is then untouched.
bool ReplaceStoreFile(const std::string& path, const std::string& text);
