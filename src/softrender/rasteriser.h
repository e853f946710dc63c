// Fills one screen triangle into the 8-bit frame, in four variants: shaded
// or textured, each with or without the Z buffer. Light is interpolated
// across the triangle and turned into a palette index through the colour
// table's shade map with a 2 x 2 dither; textures are mapped affinely.
// Every variant first draws the triangle's outline shifted right by cx, a
// wireframe copy coloured by part.
//
// Inputs may be anything: coordinates far outside the frame, huge depths or
// texture coordinates are clipped or clamped, and nothing is ever written
// outside the frame, the Z buffer or read outside the shade map or texture.
#pragma once

#include <cstdint>

#include "frame.h"

namespace quillo {

// A triangle corner in screen space: x, y in pixels (cx already added);
// rz = 2^28 / view depth (larger = nearer); light 0..1023 (the shade level
// is light >> 4); u, v in texels with 10 fractional bits.
struct RasterVertex {
    int32_t x, y;
    int32_t rz;
    int32_t light;
    int32_t u, v;
};

// What a textured triangle reads: `height` rows of `width` texels, each a
// colour-table row (index x 64). `fallback` is drawn where u or v fall
// outside the pattern, and everywhere when there is no image.
struct TexelSource {
    const int32_t* const* image = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t fallback = 0;
};

// Corners in winding order; a triangle whose corners turn clockwise on
// screen is a back face and draws nothing, not even its outline.
// base: colour-table index 0..63 of a shaded triangle.
void rasterShaded(const DrawTarget& t, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c,
                  int base, uint8_t outline);
void rasterShadedZ(const DrawTarget& t, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c,
                   int base, uint8_t outline);
void rasterTextured(const DrawTarget& t, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c,
                    const TexelSource& texels, uint8_t outline);
void rasterTexturedZ(const DrawTarget& t, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c,
                     const TexelSource& texels, uint8_t outline);

// Lines in one palette entry, both end points included, clipped to the
// frame. The pen keeps the last end point as its position.
class LinePen {
public:
    explicit LinePen(const DrawTarget& target) : target_(target) {}
    void moveTo(int64_t x, int64_t y)
    {
        x_ = x;
        y_ = y;
    }
    void lineTo(int64_t x, int64_t y, uint8_t colour);
    int64_t x() const { return x_; }
    int64_t y() const { return y_; }

private:
    const DrawTarget& target_;
    int64_t x_ = 0;
    int64_t y_ = 0;
};

void drawLine(const DrawTarget& t, int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint8_t colour);

} // namespace quillo
