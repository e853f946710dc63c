#include "dirty_rects.h"

#include <algorithm>

#include "triangle_raster.h"

namespace quillo::engine3d {

bool touches(const Rect& a, const Rect& b)
{
    return int64_t(a.x1) <= int64_t(b.x2) + 1 && int64_t(b.x1) <= int64_t(a.x2) + 1 &&
           int64_t(a.y1) <= int64_t(b.y2) + 1 && int64_t(b.y1) <= int64_t(a.y2) + 1;
}

void DirtyRects::setBounds(int32_t width, int32_t height)
{
    width_ = width;
    height_ = height;
}

void DirtyRects::add(const Rect& extent)
{
    if (extent.empty()) return;
    const Rect r{std::max(extent.x1, 0), std::max(extent.y1, 0), std::min(extent.x2, width_ - 1),
                 std::min(extent.y2, height_ - 1)};
    if (r.empty()) return;
    for (Rect& listed : rects_)
        if (touches(listed, r)) {
            growRect(listed, r);
            return;
        }
    if (int(rects_.size()) < maxRects) rects_.push_back(r);
    else growRect(rects_.front(), r);
}

} // namespace quillo::engine3d
