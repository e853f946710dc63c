// Writes a file so that the target is either left as it was or replaced
// whole: the text goes to a temporary file in the target's folder, which is
// renamed over the target only when everything was written.
#pragma once

#include <string>
#include <string_view>

namespace quillo {

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
    // over the target. False (the target untouched) when any step failed.
    bool commit();
    // Drops the temporary file, leaving the target as it was.
    void discard();

    const std::string& target() const { return target_; }

private:
    bool flush();

    std::string target_;
    std::string temporary_;
    std::string buffer_;
    int fd_ = -1;
    bool failed_ = false;
};

} // namespace quillo
