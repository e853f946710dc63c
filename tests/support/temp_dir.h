// A fresh directory for one test, removed afterwards, and small file helpers.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace quillo::test {

class TempDir {
public:
    TempDir()
    {
        static int serial = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("quillo-test-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    // The path of `name` inside the directory.
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    std::string str() const { return path_.string() + "/"; }

private:
    std::filesystem::path path_;
};

inline void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace quillo::test
