// Paths inside animation files. A path with neither "/" nor "\" is relative
// to the animation file's directory; a path is written as its bare file
// name when it lies in that directory, so a folder of files can be moved as
// a whole.
#pragma once

#include <string>

namespace quillo::anim {

// The directory of a file path with its trailing "/" (or "\"); for a bare
// file name, the current directory.
std::string fileDirectory(const std::string& path);

// `path` made absolute when it is a bare file name.
std::string absoluteFilePath(const std::string& path);

// The path a token of an animation file stands for: a bare name lies in
// `directory`; a path with "\" that does not exist (written on Windows) is
// tried as its last component in `directory`.
std::string resolveStoredPath(const std::string& token, const std::string& directory);

// How `path` is written into a file in `directory`: the bare file name
// when the path's own directory equals `directory` byte for byte,
// otherwise the path as stored.
std::string writtenPath(const std::string& path, const std::string& directory);

} // namespace quillo::anim
