#include "anim_paths.h"

#include "model/file_util.h"

namespace quillo::anim {

namespace {

bool isBareName(const std::string& path) { return path.find_first_of("/\\") == std::string::npos; }

} // namespace

std::string fileDirectory(const std::string& path)
{
    const size_t cut = path.find_last_of("/\\");
    if (cut == std::string::npos) return currentDirectory();
    return path.substr(0, cut + 1);
}

std::string absoluteFilePath(const std::string& path)
{
    return isBareName(path) ? currentDirectory() + path : path;
}

std::string resolveStoredPath(const std::string& token, const std::string& directory)
{
    if (isBareName(token)) return directory + token;
    return resolveWindowsPath(token, directory);
}

std::string writtenPath(const std::string& path, const std::string& directory)
{
    const size_t cut = path.find_last_of("/\\");
    if (cut == std::string::npos) return path;
    if (path.compare(0, cut + 1, directory) == 0 && directory.size() == cut + 1) return path.substr(cut + 1);
    return path;
}

} // namespace quillo::anim
