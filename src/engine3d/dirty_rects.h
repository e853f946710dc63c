// The screen rectangles drawn in one frame: at most 19. An extent that
// overlaps or touches a listed rectangle grows the first such one; a
// separate extent is appended while fewer than 19 are listed, else it grows
// the first. Empty extents are ignored; every rectangle is clipped to the
// target.
#pragma once

#include <vector>

#include "device.h"

namespace quillo::engine3d {

class DirtyRects {
public:
    static constexpr int maxRects = 19;

    explicit DirtyRects(int32_t width = 0, int32_t height = 0) : width_(width), height_(height) {}
    void setBounds(int32_t width, int32_t height);
    void add(const Rect& extent);
    void clear() { rects_.clear(); }
    const std::vector<Rect>& rects() const { return rects_; }

private:
    int32_t width_, height_;
    std::vector<Rect> rects_;
};

// True when the rectangles share a pixel or lie side by side.
bool touches(const Rect& a, const Rect& b);

} // namespace quillo::engine3d
