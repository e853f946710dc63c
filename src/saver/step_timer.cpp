#include "step_timer.h"

namespace quillo {

bool StepTimer::due(int64_t now)
{
    if (now - last_ < interval_) return false;
    last_ = now;
    return true;
}

int64_t StepTimer::untilNext(int64_t now) const
{
    const int64_t left = last_ + interval_ - now;
    return left > 0 ? left : 0;
}

} // namespace quillo
