// Fills one screen triangle into an XRGB8888 target with a float Z buffer.
// Positions are snapped to 1/16 pixel and coverage is decided by integer
// edge functions at pixel centres with the top-left rule, so triangles that
// share an edge cover each pixel once and the same input always gives the
// same pixels.
#pragma once

#include <cstdint>

#include "device.h"
#include "surface.h"

namespace quillo::engine3d {

constexpr int32_t subpixelBits = 4;
constexpr int32_t subpixelOne = 1 << subpixelBits;

// The fixed-point form of a screen coordinate: rounded to 1/16 pixel,
// saturating (NaN gives 0). Valid input lies well inside +-2^26 pixels.
int32_t snapToSubpixel(float pixels);

struct RasterVertex {
    int32_t x, y;       // 1/16 pixel
    float z;            // depth, 0 at the near plane, growing away
    float invW;         // 1 / w, for perspective-correct texturing
    float r, g, b;      // lit colour, 0..1
    float sr, sg, sb;   // specular colour, 0..1
    float uw, vw;       // u / w and v / w (or u, v when mapping affinely)
};

struct RasterState {
    bool gouraud = true;
    bool flatColour = false; // set with flat shading: `flat` below is used
    float flat[3] = {};      // the colour for flat shading
    bool perspective = true;
    bool specular = true;
    bool zEnable = true;
    bool zWrite = true;
    const Surface* texture = nullptr; // null: untextured
    Rect clip;                        // pixels outside are never touched
};

// The planes the triangle is drawn into.
struct RasterTarget {
    uint32_t* pixels;
    float* depth;
    int32_t width, height;
};

// Draws the triangle (either winding). Grows `drawn` by every pixel covered.
void rasterTriangle(const RasterVertex& a, const RasterVertex& b, const RasterVertex& c, const RasterState& state,
                    const RasterTarget& target, Rect& drawn);

// The pixel value of a colour with channels 0..1 (clamped).
// Inline: it runs for every pixel drawn.
inline uint32_t colourChannel(float c)
{
    if (!(c > 0.0f)) return 0;
    if (c >= 1.0f) return 255;
    return uint32_t(c * 255.0f + 0.5f);
}
inline uint32_t packColour(float r, float g, float b)
{
    return colourChannel(r) << 16 | colourChannel(g) << 8 | colourChannel(b);
}

// Grows `r` to include `add` (an empty `add` changes nothing).
inline void growRect(Rect& r, const Rect& add)
{
    if (add.empty()) return;
    if (r.empty()) {
        r = add;
        return;
    }
    r.x1 = r.x1 < add.x1 ? r.x1 : add.x1;
    r.y1 = r.y1 < add.y1 ? r.y1 : add.y1;
    r.x2 = r.x2 > add.x2 ? r.x2 : add.x2;
    r.y2 = r.y2 > add.y2 ? r.y2 : add.y2;
}

} // namespace quillo::engine3d
