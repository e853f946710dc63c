// A system-memory picture in the XRGB8888 texture format (0x00RRGGBB), the
// form in which BMP patterns reach the device.
#pragma once

#include <cstdint>
#include <vector>

namespace quillo::engine3d {

struct Surface {
    int32_t width = 0, height = 0;
    std::vector<uint32_t> pixels; // row 0 is the top row

    bool emptySurface() const { return width <= 0 || height <= 0; }
    uint32_t at(int32_t x, int32_t y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

} // namespace quillo::engine3d
