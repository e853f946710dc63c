#include "atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quillo {

namespace {

constexpr size_t flushSize = 1 << 20;

std::string folderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {}

AtomicFile::~AtomicFile() { discard(); }

bool AtomicFile::open()
{
    discard();
    failed_ = false;
    // A short fixed name, so that a long target name cannot make it too long.
    std::string pattern = folderOf(target_) + ".facesmith-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) return false;
    // mkstemp makes the file private; give it the mode a newly created file
    // would have, as the renamed file becomes the target.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    fd_ = fd;
    temporary_.assign(name.data());
    buffer_.reserve(flushSize + 4096);
    return true;
}

bool AtomicFile::write(std::string_view text)
{
    if (failed_ || fd_ < 0) return false;
    buffer_.append(text);
    if (buffer_.size() >= flushSize) return flush();
    return true;
}

bool AtomicFile::flush()
{
    const char* p = buffer_.data();
    size_t left = buffer_.size();
    while (left > 0) {
        ssize_t n = ::write(fd_, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            failed_ = true;
            return false;
        }
        p += n;
        left -= size_t(n);
    }
    buffer_.clear();
    return true;
}

bool AtomicFile::commit()
{
    if (fd_ < 0 || failed_) return false;
    bool ok = flush() && fsync(fd_) == 0;
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    if (ok && std::rename(temporary_.c_str(), target_.c_str()) == 0) {
        temporary_.clear();
        return true;
    }
    discard();
    return false;
}

void AtomicFile::discard()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
    buffer_.clear();
}

} // namespace quillo
