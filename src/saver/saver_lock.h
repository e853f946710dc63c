// One running copy per mode: a lock file held with flock for the life of
// the process (the system drops it when the process goes, however it
// ends). Saver mode and preview mode each have their own; preview also
// yields to an open settings dialog, as the original did. xscreensaver may
// run one copy per screen and takes no lock.
#pragma once

#include <string>

namespace quillo {

enum class SaverMode;

class SaverLock {
public:
    // `folder`: where the lock files live (the user's runtime folder).
    explicit SaverLock(std::string folder) : folder_(std::move(folder)) {}
    ~SaverLock();
    SaverLock(const SaverLock&) = delete;
    SaverLock& operator=(const SaverLock&) = delete;

    // True when this copy may run in `mode` (and now holds its lock).
    bool acquire(SaverMode mode);

private:
    bool hold(const char* name, bool keep);

    std::string folder_;
    int fd_ = -1;
};

} // namespace quillo
