#include "scratch_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace quillo::fuzz {

namespace {

struct Folder {
    std::string path;
    Folder()
    {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/quillo-fuzz-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (!mkdtemp(name.data())) std::abort();
        path = std::string(name.data()) + "/";
    }
    ~Folder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

} // namespace

const std::string& scratchFolder()
{
    static Folder folder;
    return folder.path;
}

std::string scratchFile(const std::string& name, const void* data, size_t size)
{
    std::string path = scratchFolder() + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) std::abort();
    return path;
}

} // namespace quillo::fuzz
