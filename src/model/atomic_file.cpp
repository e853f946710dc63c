#include "atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quillo {

int FileSystemCalls::makeTemporary(char* pattern) { return ::mkstemp(pattern); }
ssize_t FileSystemCalls::write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }
int FileSystemCalls::sync(int fd) { return ::fsync(fd); }
int FileSystemCalls::close(int fd) { return ::close(fd); }
int FileSystemCalls::rename(const char* from, const char* to) { return std::rename(from, to); }
int FileSystemCalls::link(const char* from, const char* to) { return ::link(from, to); }
int FileSystemCalls::unlink(const char* path) { return ::unlink(path); }
int FileSystemCalls::syncDirectory(const char* folder)
{
    int fd = ::open(*folder ? folder : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return -1;
    int r = ::fsync(fd);
    int saved = errno;
    ::close(fd);
    errno = saved;
    return r;
}

namespace {

FileSystemCalls realCalls;
FileSystemCalls* calls = &realCalls;

constexpr size_t flushSize = 1 << 20;
constexpr int maxLinks = 40; // as the system's own limit on a chain of links

std::string folderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a path names once its symbolic links are followed; the path
// itself when it is no link. Empty for a loop or a chain too long.
std::string followLinks(std::string path)
{
    for (int hops = 0; hops <= maxLinks; ++hops) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::vector<char> target(size_t(st.st_size > 0 ? st.st_size : 255) + 1);
        ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0) return path;
        std::string next(target.data(), size_t(n));
        path = next.front() == '/' ? next : folderOf(path) + next;
    }
    errno = ELOOP;
    return std::string();
}

} // namespace

FileSystemCalls* setFileSystemCalls(FileSystemCalls* c)
{
    FileSystemCalls* previous = calls == &realCalls ? nullptr : calls;
    calls = c ? c : &realCalls;
    return previous;
}

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {}

AtomicFile::~AtomicFile() { discard(); }

bool AtomicFile::fail(const char* step)
{
    error_ = std::string(step) + ": " + std::strerror(errno);
    failed_ = true;
    return false;
}

bool AtomicFile::open()
{
    discard();
    failed_ = false;
    error_.clear();
    file_ = followLinks(target_);
    if (file_.empty()) return fail("following the link");
    // A short fixed name, so that a long target name cannot make it too long.
    std::string pattern = folderOf(file_) + ".quillo-save-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = calls->makeTemporary(name.data());
    if (fd < 0) return fail("creating the temporary file");
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
        ssize_t n = calls->write(fd_, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC; // no progress: as good as a full disk
            return fail("writing");
        }
        p += n;
        left -= size_t(n);
    }
    buffer_.clear();
    return true;
}

bool AtomicFile::commit()
{
    if (fd_ < 0 || failed_) {
        discard();
        return false;
    }
    bool ok = flush() && (calls->sync(fd_) == 0 || fail("syncing the file"));
    const int fd = fd_;
    fd_ = -1;
    ok = (calls->close(fd) == 0 || fail("closing the file")) && ok;
    if (!ok) {
        discard();
        return false;
    }
    // A second name for the old file, so that it can be put back should the
    // folder fail to sync after the rename (without it, nothing is put back).
    std::string backup = temporary_ + ".old";
    bool hadOld = ::access(file_.c_str(), F_OK) == 0;
    if (!hadOld || calls->link(file_.c_str(), backup.c_str()) != 0) backup.clear();
    if (calls->rename(temporary_.c_str(), file_.c_str()) != 0) {
        fail("renaming the temporary file");
        if (!backup.empty()) calls->unlink(backup.c_str());
        discard();
        return false;
    }
    temporary_.clear();
    if (calls->syncDirectory(folderOf(file_).c_str()) != 0) {
        fail("syncing the folder");
        if (!backup.empty())
            undoRename(backup);
        else if (!hadOld)
            calls->unlink(file_.c_str());
        return false;
    }
    if (!backup.empty()) calls->unlink(backup.c_str());
    return true;
}

// Puts the old file back after a failed folder sync. Should even that fail,
// the old contents stay under the backup name rather than being lost.
void AtomicFile::undoRename(const std::string& backup)
{
    if (calls->rename(backup.c_str(), file_.c_str()) == 0) calls->syncDirectory(folderOf(file_).c_str());
}

void AtomicFile::discard()
{
    if (fd_ >= 0) calls->close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) calls->unlink(temporary_.c_str());
    temporary_.clear();
    buffer_.clear();
}

} // namespace quillo
