#include "mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/file_util.h"

namespace quillo::anim {

MappedFile::~MappedFile()
{
    if (map_) munmap(map_, size_);
}

bool MappedFile::open(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info;
    const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (regular && info.st_size > 0) {
        void* map = mmap(nullptr, size_t(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (map != MAP_FAILED) {
            map_ = map;
            size_ = size_t(info.st_size);
            bytes_ = std::string_view(static_cast<const char*>(map), size_);
            ::close(fd);
            return true;
        }
    }
    ::close(fd);
    if (regular && info.st_size == 0) return true; // an empty file
    if (!readWholeFile(path, copy_)) return false;
    bytes_ = copy_;
    return true;
}

} // namespace quillo::anim
