// The timing of the playback loop, on a clock that is passed in: a step is
// due when at least `interval` milliseconds have passed since the last one,
// and the clock reading taken before the step becomes the time of the last
// step. Instead of polling, the caller sleeps until untilNext().
#pragma once

#include <cstdint>

namespace quillo {

class StepTimer {
public:
    explicit StepTimer(int interval) : interval_(interval < 1 ? 1 : interval) {}

    // The first step, at start-up.
    void start(int64_t now) { last_ = now; }
    // True (and `now` becomes the last step time) when a step is due.
    bool due(int64_t now);
    // Milliseconds from `now` until the next step is due (0 when it is).
    int64_t untilNext(int64_t now) const;
    int interval() const { return interval_; }

private:
    int interval_;
    int64_t last_ = 0;
};

} // namespace quillo
