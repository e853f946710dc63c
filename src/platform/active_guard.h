// Saves the editor's `active` flag, clears it while a modal box is up and
// puts the saved value back when the box is gone, so the editor neither
// draws nor takes mouse input from inside a nested event loop.
#pragma once

namespace quillo {

class ActiveGuard {
public:
    explicit ActiveGuard(bool* flag) : flag_(flag), saved_(flag ? *flag : false)
    {
        if (flag_) *flag_ = false;
    }
    ~ActiveGuard()
    {
        if (flag_) *flag_ = saved_;
    }
    ActiveGuard(const ActiveGuard&) = delete;
    ActiveGuard& operator=(const ActiveGuard&) = delete;

private:
    bool* flag_;
    bool saved_;
};

} // namespace quillo
