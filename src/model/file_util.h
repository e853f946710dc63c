// File helpers: whole-file reads, atomic saves and path resolution.
#pragma once

#include <string>

namespace quillo {

bool readWholeFile(const std::string& path, std::string& text);

// Writes `text` to a temporary file beside `path` and renames it over the
// target, so a failed save leaves the old file whole. False on failure.
bool writeFileAtomically(const std::string& path, const std::string& text);

// Makes the folders of `path` that are missing (for a picture of an image
// sequence named like out/frame0000.png). False when one cannot be made.
bool makeParentFolders(const std::string& path);

// The process's current directory with a trailing "/".
std::string currentDirectory();

// A stored path containing "\" (a file made on Windows) that does not exist
// falls back to its last component in `directory`.
std::string resolveWindowsPath(const std::string& stored, const std::string& directory);

// Whether `path` names a regular file that can be opened for reading (a
// folder opens on Linux too, but it is no file to read).
bool readableFile(const std::string& path);

} // namespace quillo
