#include "rasteriser.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace quillo {

namespace {

// Values along an edge: x with 11 fractional bits, the colour value with
// 10, u and v as given (already 10), the reciprocal depth with 11. Kept in
// 64 bits so that far-off corners cannot overflow.
struct EdgeValues {
    int64_t x = 0, c = 0, u = 0, v = 0, z = 0;
};

struct Edge {
    EdgeValues at;
    EdgeValues step;
    void advance(int64_t rows)
    {
        at.x += step.x * rows;
        at.c += step.c * rows;
        at.u += step.u * rows;
        at.v += step.v * rows;
        at.z += step.z * rows;
    }
    void next()
    {
        at.x += step.x;
        at.c += step.c;
        at.u += step.u;
        at.v += step.v;
        at.z += step.z;
    }
};

// A corner with its colour value, clamped so that every derived value fits
// the formats above (and the span loop's 32-bit registers).
struct Corner {
    int32_t x, y;
    EdgeValues values;
};

constexpr int32_t uvLimit = (1 << 30) - 1;
constexpr int32_t rzLimit = (1 << 20) - 1; // rz << 11 stays inside 32 bits

Corner makeCorner(const RasterVertex& p, int32_t colourBase, bool textured)
{
    Corner k;
    k.x = p.x;
    k.y = p.y;
    const int32_t light = std::clamp(p.light, 0, 1023); // a level above 63 would reach the next colour
    k.values.x = int64_t(p.x) * 2048;
    k.values.c = int64_t(light + colourBase) * 1024;
    k.values.u = textured ? std::clamp(p.u, -uvLimit, uvLimit) : 0;
    k.values.v = textured ? std::clamp(p.v, -uvLimit, uvLimit) : 0;
    k.values.z = int64_t(std::clamp(p.rz, -rzLimit, rzLimit)) * 2048;
    return k;
}

int64_t truncTo64(double value)
{
    if (!(value == value)) return 0;
    if (value >= 9.0e18) return INT64_MAX / 2;
    if (value <= -9.0e18) return INT64_MIN / 2;
    return static_cast<int64_t>(value);
}

// Quotient of a span or edge difference, in 32 bits when both fit (the
// usual case, and a faster division).
inline int64_t divide(int64_t value, int64_t by)
{
    if (value >= INT32_MIN && value <= INT32_MAX && by <= INT32_MAX) return int32_t(value) / int32_t(by);
    return value / by;
}

// The edge from `from` (upper) to `to` (lower). The plain variants divide
// by dy; the Z variants multiply by the reciprocal of dy, as the depth
// slope needs it anyway. Values a variant does not use keep no slope.
template <bool UseZ, bool Textured>
Edge makeEdge(const Corner& from, const Corner& to)
{
    Edge e;
    e.at = from.values;
    const int64_t dy = int64_t(to.y) - from.y;
    if (dy <= 0) return e; // a flat edge does not move
    const double inverse = 1.0 / double(dy);
    auto slope = [&](int64_t delta) -> int64_t {
        if constexpr (UseZ)
            return truncTo64(double(delta) * inverse);
        else
            return divide(delta, dy);
    };
    e.step.x = slope(to.values.x - from.values.x);
    e.step.c = slope(to.values.c - from.values.c);
    if constexpr (Textured) {
        e.step.u = slope(to.values.u - from.values.u);
        e.step.v = slope(to.values.v - from.values.v);
    }
    if constexpr (UseZ) e.step.z = slope(to.values.z - from.values.z);
    // Move to row 0 when the edge starts above the frame; an edge that
    // ends above it is never used for a span.
    if (from.y < 0) e.advance(std::min<int64_t>(-int64_t(from.y), dy));
    return e;
}

template <bool UseZ, bool Textured>
class TriangleFill {
public:
    TriangleFill(const DrawTarget& t, const TexelSource* texels) : t_(t), texels_(texels) {}

    void span(int y, EdgeValues l, EdgeValues r) const
    {
        const int64_t limit = int64_t(t_.width) * 2048;
        if ((l.x < 0 && r.x < 0) || (l.x >= limit && r.x >= limit)) return;
        int64_t xl = l.x >> 11, xr = r.x >> 11;
        if (xr < xl) {
            std::swap(l, r);
            std::swap(xl, xr);
        }
        const int64_t x = std::max<int64_t>(xl, 0);
        uint8_t* row = t_.pixels + size_t(y) * size_t(t_.pitch);
        int32_t* zrow = UseZ ? t_.zbuffer + size_t(y) * size_t(t_.width) : nullptr;
        if (UseZ && t_.zRowsPending && t_.zRowsPending[y]) {
            std::memset(zrow, 0, size_t(t_.width) * sizeof(int32_t));
            t_.zRowsPending[y] = 0;
        }
        const uint8_t* shade = t_.shadeMap + ((y & 1) << 1);
        if (xl == xr) {
            plot(row, zrow, shade, int(x), int32_t(r.c), int32_t(r.u), int32_t(r.v), int32_t(r.z));
            return;
        }
        const int64_t n = xr - xl;
        const int32_t dc = int32_t(divide(r.c - l.c, n));
        const int32_t du = Textured ? int32_t(divide(r.u - l.u, n)) : 0;
        const int32_t dv = Textured ? int32_t(divide(r.v - l.v, n)) : 0;
        const int32_t dz = UseZ ? int32_t(divide(r.z - l.z, n)) : 0;
        const int64_t skipped = x - xl;
        int32_t c = int32_t(l.c + skipped * dc), u = int32_t(l.u + skipped * du), v = int32_t(l.v + skipped * dv),
                z = int32_t(l.z + skipped * dz);
        const int end = int(std::min<int64_t>(xr, t_.width - 1));
        for (int px = int(x); px < end; ++px) {
            plot(row, zrow, shade, px, c, u, v, z);
            c += dc;
            if constexpr (Textured) {
                u += du;
                v += dv;
            }
            if constexpr (UseZ) z += dz;
        }
        plot(row, zrow, shade, end, int32_t(r.c), int32_t(r.u), int32_t(r.v), int32_t(r.z));
    }

    void fill(const Corner& a, const Corner& b, const Corner& c) const
    {
        // Sort by y, keeping the winding order among equal rows.
        const Corner* s[3] = {&a, &b, &c};
        if (s[1]->y < s[0]->y) std::swap(s[0], s[1]);
        if (s[2]->y < s[1]->y) {
            std::swap(s[1], s[2]);
            if (s[1]->y < s[0]->y) std::swap(s[0], s[1]);
        }
        const Corner& top = *s[0];
        const Corner& mid = *s[1];
        const Corner& bottom = *s[2];
        const int h = t_.height;

        Edge longEdge = makeEdge<UseZ, Textured>(top, bottom);
        Edge upper = makeEdge<UseZ, Textured>(top, mid);
        const int64_t upperEnd = std::min<int64_t>(h, mid.y);
        for (int64_t y = std::max(top.y, 0); y < upperEnd; ++y) {
            span(int(y), upper.at, longEdge.at);
            upper.next();
            longEdge.next();
        }
        if (mid.y >= h) return;
        if (mid.y != bottom.y) {
            Edge lower = makeEdge<UseZ, Textured>(mid, bottom);
            const int64_t lowerEnd = std::min(bottom.y, h - 1);
            for (int64_t y = std::max(mid.y, 0); y <= lowerEnd; ++y) {
                span(int(y), lower.at, longEdge.at);
                lower.next();
                longEdge.next();
            }
        } else if (mid.y >= 0) {
            span(mid.y, mid.values, bottom.values);
        }
    }

private:
    void plot(uint8_t* row, int32_t* zrow, const uint8_t* shade, int px, int32_t c, int32_t u, int32_t v,
              int32_t z) const
    {
        if constexpr (UseZ) {
            if (!(zrow[px] < z)) return; // equal depth keeps what was drawn first
            zrow[px] = z;
        }
        int32_t colourRow = c >> 14;
        if constexpr (Textured) colourRow += texel(u, v);
        row[px] = shade[(colourRow & 4095) * 4 + (px & 1)];
    }

    int32_t texel(int32_t u, int32_t v) const
    {
        const int32_t column = u >> 10, line = v >> 10;
        if (u < 0 || v < 0 || column >= texels_->width || line >= texels_->height || !texels_->image)
            return texels_->fallback;
        return texels_->image[line][column];
    }

    const DrawTarget& t_;
    const TexelSource* texels_;
};

bool outsideFrame(const DrawTarget& t, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c)
{
    return (a.y < 0 && b.y < 0 && c.y < 0) || (a.y >= t.height && b.y >= t.height && c.y >= t.height) ||
           (a.x < 0 && b.x < 0 && c.x < 0) || (a.x >= t.width && b.x >= t.width && c.x >= t.width);
}

// Screen y grows downwards; a non-negative value means the corners turn
// the way front faces do.
bool frontFacing(const RasterVertex& a, const RasterVertex& b, const RasterVertex& c)
{
    const double test = (double(a.y) - b.y) * (double(b.x) - c.x) + (double(a.x) - b.x) * (double(c.y) - b.y);
    return test >= 0.0;
}

template <bool UseZ, bool Textured>
void raster(const DrawTarget& t, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c,
            int32_t colourBase, const TexelSource* texels, uint8_t outline)
{
    if (t.width <= 0 || t.height <= 0 || !t.pixels || !t.shadeMap) return;
    if (UseZ && !t.zbuffer) return;
    if (outsideFrame(t, a, b, c)) return;
    if (!frontFacing(a, b, c)) return;
    LinePen pen(t);
    pen.moveTo(int64_t(a.x) + t.cx, a.y);
    pen.lineTo(int64_t(b.x) + t.cx, b.y, outline);
    pen.lineTo(int64_t(c.x) + t.cx, c.y, outline);
    pen.lineTo(int64_t(a.x) + t.cx, a.y, outline);
    const TriangleFill<UseZ, Textured> fill(t, texels);
    fill.fill(makeCorner(a, colourBase, Textured), makeCorner(b, colourBase, Textured),
              makeCorner(c, colourBase, Textured));
}

int64_t truncLine(double value)
{
    if (!(value == value)) return 0;
    return static_cast<int64_t>(std::clamp(value, -4.0e18, 4.0e18));
}

// Cuts the segment to lo <= a <= hi along its first coordinate a, moving
// the second coordinate b along the line. False when nothing is left.
bool clipAxis(int64_t& a0, int64_t& b0, int64_t& a1, int64_t& b1, int64_t lo, int64_t hi)
{
    if ((a0 < lo && a1 < lo) || (a0 > hi && a1 > hi)) return false;
    const double slope = a1 != a0 ? (double(b1) - double(b0)) / (double(a1) - double(a0)) : 0.0;
    const int64_t sa0 = a0, sb0 = b0;
    auto cut = [&](int64_t& a, int64_t& b, int64_t border) {
        b = truncLine(double(sb0) + (double(border) - double(sa0)) * slope);
        a = border;
    };
    if (a0 < lo) cut(a0, b0, lo);
    else if (a0 > hi) cut(a0, b0, hi);
    if (a1 < lo) cut(a1, b1, lo);
    else if (a1 > hi) cut(a1, b1, hi);
    return true;
}

} // namespace

void rasterShaded(const DrawTarget& t, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c,
                  int base, uint8_t outline)
{
    raster<false, false>(t, a, b, c, (base & 63) * 1024, nullptr, outline);
}

void rasterShadedZ(const DrawTarget& t, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c,
                   int base, uint8_t outline)
{
    raster<true, false>(t, a, b, c, (base & 63) * 1024, nullptr, outline);
}

void rasterTextured(const DrawTarget& t, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c,
                    const TexelSource& texels, uint8_t outline)
{
    raster<false, true>(t, a, b, c, 0, &texels, outline);
}

void rasterTexturedZ(const DrawTarget& t, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c,
                     const TexelSource& texels, uint8_t outline)
{
    raster<true, true>(t, a, b, c, 0, &texels, outline);
}

void LinePen::lineTo(int64_t x, int64_t y, uint8_t colour)
{
    drawLine(target_, x_, y_, x, y, colour);
    x_ = x;
    y_ = y;
}

void drawLine(const DrawTarget& t, int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint8_t colour)
{
    if (t.width <= 0 || t.height <= 0 || !t.pixels) return;
    const int64_t right = t.width - 1, bottom = t.height - 1;
    if (x0 < 0 || x0 > right || x1 < 0 || x1 > right || y0 < 0 || y0 > bottom || y1 < 0 || y1 > bottom) {
        if (!clipAxis(x0, y0, x1, y1, 0, right)) return;
        if (!clipAxis(y0, x0, y1, x1, 0, bottom)) return;
        // Clipping keeps both ends on the line between the old ends; the
        // clamp only guards against rounding.
        x0 = std::clamp<int64_t>(x0, 0, right);
        x1 = std::clamp<int64_t>(x1, 0, right);
        y0 = std::clamp<int64_t>(y0, 0, bottom);
        y1 = std::clamp<int64_t>(y1, 0, bottom);
    }
    // Both ends lie in the frame now, and every pixel stepped between them
    // lies in their bounding box.
    const int dx = int(x1 - x0), dy = int(y1 - y0);
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int majorDelta = xMajor ? dx : dy, minorDelta = xMajor ? dy : dx;
    const int count = std::abs(majorDelta);
    // 16.16 fixed point, rounded up so the far end is reached exactly.
    const int32_t increment = count > 0 ? ((std::abs(minorDelta) << 16) + 65535) / count : 0; // sides below 32768
    const int32_t minorStep = minorDelta < 0 ? -increment : increment;
    int32_t minor16 = int32_t((xMajor ? y0 : x0) * 65536) + (minorDelta < 0 ? 65535 : 0);
    const ptrdiff_t pitch = t.pitch;
    uint8_t* const pixels = t.pixels;
    if (xMajor) {
        const int step = dx < 0 ? -1 : 1;
        int x = int(x0);
        for (int i = 0; i <= count; ++i, x += step, minor16 += minorStep) pixels[(minor16 >> 16) * pitch + x] = colour;
    } else {
        const ptrdiff_t step = dy < 0 ? -pitch : pitch;
        uint8_t* row = pixels + y0 * pitch;
        for (int i = 0; i <= count; ++i, row += step, minor16 += minorStep) row[minor16 >> 16] = colour;
    }
}

} // namespace quillo
