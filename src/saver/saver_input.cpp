#include "saver_input.h"

#include <cstdlib>

namespace quillo {

bool SaverInput::mouseMoved(int x, int y)
{
    if (originx_ == -1 && originy_ == -1) {
        originx_ = x;
        originy_ = y;
        return false;
    }
    return std::abs(long(x) - originx_) + std::abs(long(y) - originy_) >= 2;
}

bool SaverInput::happened(Event event) const
{
    return event == Event::keyDown || event == Event::buttonDown || event == Event::buttonUp;
}

} // namespace quillo
