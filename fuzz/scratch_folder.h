// A private folder for the files a fuzz run needs, made once per process
// and removed at its end.
#pragma once

#include <string>

namespace quillo::fuzz {

// The folder's path with a trailing "/".
const std::string& scratchFolder();

// Replaces the file `name` in the folder with the bytes; returns its path.
std::string scratchFile(const std::string& name, const void* data, size_t size);

} // namespace quillo::fuzz
