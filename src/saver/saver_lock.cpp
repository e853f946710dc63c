#include "saver_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "saver_command_line.h"

namespace quillo {

SaverLock::~SaverLock()
{
    if (fd_ >= 0) close(fd_);
}

bool SaverLock::hold(const char* name, bool keep)
{
    const std::string path = folder_ + "/quillosaver-" + name + ".lock";
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true; // no place for a lock: run rather than refuse
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    if (keep) {
        if (fd_ >= 0) close(fd_);
        fd_ = fd;
    } else {
        close(fd); // only a look: the lock goes with the descriptor
    }
    return true;
}

bool SaverLock::acquire(SaverMode mode)
{
    switch (mode) {
    case SaverMode::saver: return hold("saver", true);
    case SaverMode::preview: return hold("settings", false) && hold("preview", true);
    case SaverMode::settings: return hold("settings", true);
    default: return true;
    }
}

} // namespace quillo
