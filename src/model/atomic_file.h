// Writes a file so that the target is either left as it was or replaced
// whole: the text goes to a temporary file in the target's folder, which is
// synced and renamed over the target only when everything was written; the
// folder is synced after the rename, so that a "saved" file survives a power
// loss.
//
// A target that is a symbolic link keeps the link: the file it points to
// (followed to the end of a chain of links) is the one replaced, and the
// temporary file is made beside that file.
#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

namespace quillo {

// The system calls a save goes through. Tests install their own to make any
// step fail; each returns what the system call returns (-1 with errno set).
class FileSystemCalls {
public:
    virtual ~FileSystemCalls() = default;
    virtual int makeTemporary(char* pattern);  // mkstemp
    virtual ssize_t write(int fd, const void* data, size_t size);
    virtual int sync(int fd);                   // fsync
    virtual int close(int fd);
    virtual int rename(const char* from, const char* to);
    virtual int syncDirectory(const char* folder); // open, fsync and close a folder
    virtual int link(const char* from, const char* to);
    virtual int unlink(const char* path);
};

// Installs the calls every AtomicFile uses from then on (null restores the
// real ones). Returns the previous ones.
FileSystemCalls* setFileSystemCalls(FileSystemCalls* calls);

class AtomicFile {
public:
    explicit AtomicFile(std::string target);
    ~AtomicFile(); // removes the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file. False when it cannot be created.
    bool open();
    // Buffered; false once any write has failed.
    bool write(std::string_view text);
    // Writes what is buffered, syncs, closes and renames the temporary file
    // over the target, then syncs the folder. False when any step failed;
    // the target then holds its old contents (or is absent, as before).
    bool commit();
    // Drops the temporary file, leaving the target as it was.
    void discard();

    const std::string& target() const { return target_; }
    // What went wrong with the last failed step, in one line ("" if nothing).
    const std::string& error() const { return error_; }

private:
    bool flush();
    bool fail(const char* step);
    void undoRename(const std::string& backup);

    std::string target_;    // as given
    std::string file_;      // the file replaced: the target with its links followed
    std::string temporary_;
    std::string buffer_;
    std::string error_;
    int fd_ = -1;
    bool failed_ = false;
};

} // namespace quillo
