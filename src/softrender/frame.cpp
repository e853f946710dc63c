#include "frame.h"

#include <algorithm>
#include <cstring>

namespace quillo {

Frame::Frame(int width, int height, bool withZBuffer, int pitch)
    : width_(std::clamp(width, 1, maxSide)), height_(std::clamp(height, 1, maxSide))
{
    pitch_ = pitch >= width_ ? pitch : (width_ + 3) / 4 * 4;
    pixels_.assign(size_t(pitch_) * size_t(height_), 0);
    if (withZBuffer) zbuffer_.assign(size_t(width_) * size_t(height_), 0);
    zPending_.assign(size_t(height_), 0);
    for (auto& e : palette_) e = {0, 0, 0, 0};
    setSystemColours(palette_);
}

void Frame::clear()
{
    if (!zbuffer_.empty()) std::fill(zPending_.begin(), zPending_.end(), 1);
    for (int y = 0; y < height_; ++y) std::memset(row(y), 0, size_t(width_));
}

void Frame::setPalette(const PaletteEntry (&entries)[256]) { std::copy(entries, entries + 256, palette_); }

DrawTarget Frame::target(const uint8_t* shadeMap)
{
    DrawTarget t;
    t.pixels = pixels_.data();
    t.pitch = pitch_;
    t.width = width_;
    t.height = height_;
    t.zbuffer = zbuffer_.empty() ? nullptr : zbuffer_.data();
    t.zRowsPending = zbuffer_.empty() ? nullptr : zPending_.data();
    t.shadeMap = shadeMap;
    return t;
}

uint64_t Frame::checksum() const
{
    uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < height_; ++y) {
        const uint8_t* p = row(y);
        for (int x = 0; x < width_; ++x) {
            h ^= p[x];
            h *= 1099511628211ull;
        }
    }
    return h;
}

} // namespace quillo
