// A file's bytes mapped read-only into memory, so the big frame blocks of
// motion and animation files are copied once (into the frame records) and
// never held twice.
#pragma once

#include <string>
#include <string_view>

namespace quillo::anim {

class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    // False when the file cannot be opened or read.
    bool open(const std::string& path);
    std::string_view bytes() const { return bytes_; }

private:
    void* map_ = nullptr;
    size_t size_ = 0;
    std::string copy_; // for files that cannot be mapped
    std::string_view bytes_;
};

} // namespace quillo::anim
