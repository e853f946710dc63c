#include "file_util.h"

#include "atomic_file.h"

#include <cstdio>
#include <filesystem>

namespace quillo {

bool readWholeFile(const std::string& path, std::string& text)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    text.clear();
    if (std::fseek(f, 0, SEEK_END) == 0) {
        long size = std::ftell(f);
        if (size > 0) text.reserve(size_t(size));
        std::fseek(f, 0, SEEK_SET);
    }
    char chunk[1 << 16];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool writeFileAtomically(const std::string& path, const std::string& text)
{
    AtomicFile file(path);
    return file.open() && file.write(text) && file.commit();
}

bool makeParentFolders(const std::string& path)
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) return true;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return !ec;
}

std::string currentDirectory()
{
    std::error_code ec;
    std::string dir = std::filesystem::current_path(ec).string();
    if (ec || dir.empty()) return "./";
    if (dir.back() != '/') dir += '/';
    return dir;
}

std::string resolveWindowsPath(const std::string& stored, const std::string& directory)
{
    if (stored.find('\\') == std::string::npos) return stored;
    std::error_code ec;
    if (std::filesystem::exists(stored, ec)) return stored;
    size_t cut = stored.find_last_of("\\/");
    return directory + stored.substr(cut + 1);
}

bool readableFile(const std::string& path)
{
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return false;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

} // namespace quillo
