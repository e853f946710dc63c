// The 8-bit frame the renderer draws into: pixel rows with a pitch, an
// optional Z buffer of reciprocal depths, and the 256-entry palette that
// turns pixel values into colours.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/colour_table.h"

namespace quillo {

// Everything a rasteriser needs for one frame. The pixel rows are `pitch`
// bytes apart (pitch >= width); the Z buffer, when present, holds width x
// height values with row stride `width`. A Z row whose `zRowsPending` flag
// is set counts as cleared to 0 and is cleared when first drawn on (no
// flags: every row is ready). cx, cy and scale are the projection of the
// frame (see projectionFor).
struct DrawTarget {
    uint8_t* pixels = nullptr;
    int pitch = 0;
    int width = 0;
    int height = 0;
    int32_t* zbuffer = nullptr;
    uint8_t* zRowsPending = nullptr;
    const uint8_t* shadeMap = nullptr; // 64 colours x 64 levels x 4 dither positions
    int cx = 0;
    int cy = 0;
    int scale = 1024;
};

class Frame : public PaletteDisplay {
public:
    static constexpr int maxSide = 16384;

    // width and height are clamped to 1..maxSide; a pitch below the width
    // becomes the width rounded up to a multiple of 4.
    Frame(int width, int height, bool withZBuffer, int pitch = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    int pitch() const { return pitch_; }
    bool hasZBuffer() const { return !zbuffer_.empty(); }

    uint8_t* row(int y) { return pixels_.data() + size_t(y) * size_t(pitch_); }
    const uint8_t* row(int y) const { return pixels_.data() + size_t(y) * size_t(pitch_); }
    uint8_t pixel(int x, int y) const { return row(y)[x]; }
    int32_t depth(int x, int y) const
    {
        return zPending_[size_t(y)] ? 0 : zbuffer_[size_t(y) * size_t(width_) + size_t(x)];
    }
    // All rows including the bytes between width and pitch.
    const std::vector<uint8_t>& bytes() const { return pixels_; }

    // Z buffer to 0 (farthest), every pixel to palette entry 0. The Z rows
    // are cleared as they are first drawn on: a frame that covers part of
    // a large buffer then finds its rows in the cache.
    void clear();

    // The palette the frame is shown through; the colour table hands it
    // over whenever it rebuilds its ramps.
    void setPalette(const PaletteEntry (&entries)[256]) override;
    const PaletteEntry* palette() const { return palette_; }

    // The draw target over this frame, shading through `table`.
    DrawTarget target(const GMTBL& table) { return target(table.shadeMap); }
    // The same with any shade map of 64 x 64 x 4 entries.
    DrawTarget target(const uint8_t* shadeMap);

    // FNV-1a over the visible pixels (row by row, padding left out):
    // a stable fingerprint for comparing whole frames.
    uint64_t checksum() const;

private:
    int width_;
    int height_;
    int pitch_;
    std::vector<uint8_t> pixels_;
    std::vector<int32_t> zbuffer_;
    std::vector<uint8_t> zPending_; // per Z row: still to be cleared
    PaletteEntry palette_[256];
};

} // namespace quillo
