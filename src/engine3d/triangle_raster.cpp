#include "triangle_raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quillo::engine3d {

namespace {

// Edge function of a->b at p: positive on the inside of a clockwise (on
// screen, y down) triangle.
int64_t edge(int32_t ax, int32_t ay, int32_t bx, int32_t by, int64_t px, int64_t py)
{
    return int64_t(bx - ax) * (py - ay) - int64_t(by - ay) * (px - ax);
}

// Top edges (horizontal, running right) and left edges (running up) own
// the pixels whose centres lie exactly on them; the others do not.
int64_t ownBias(int32_t ax, int32_t ay, int32_t bx, int32_t by)
{
    const int32_t dx = bx - ax, dy = by - ay;
    const bool topLeft = (dy == 0 && dx > 0) || dy < 0;
    return topLeft ? 0 : -1;
}

// Nearest texel; coordinates outside 0..1 (or not numbers) take the edge texel.
inline uint32_t texel(const Surface& t, float u, float v)
{
    const float fx = u * float(t.width), fy = v * float(t.height);
    const int32_t x = fx > 0.0f ? (fx < float(t.width) ? int32_t(fx) : t.width - 1) : 0;
    const int32_t y = fy > 0.0f ? (fy < float(t.height) ? int32_t(fy) : t.height - 1) : 0;
    return t.pixels[size_t(y) * size_t(t.width) + size_t(x)];
}

} // namespace

int32_t snapToSubpixel(float pixels)
{
    // Rounds half up: the floor of v + 1/2, taken by truncating and stepping
    // down for negative fractions (std::floor is a library call on plain
    // x86-64, and this runs for every vertex drawn).
    const double v = double(pixels) * subpixelOne + 0.5;
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    const int32_t t = int32_t(v);
    return double(t) > v ? t - 1 : t;
}

namespace {

// The pixels of one row, from `first` to `last`, all inside the triangle.
struct Setup {
    const RasterVertex* a;
    float inv;
    int64_t biasB, biasC, stepB, stepC;
    float dz1, dz2, dw1, dw2, dr1, dr2, dg1, dg2, db1, db2;
    float dsr1, dsr2, dsg1, dsg2, dsb1, dsb2, du1, du2, dv1, dv2;
};

// Four lanes of floats and of 32-bit integers (plain vector types, so the
// code stays portable: SSE on x86-64, NEON on ARM, scalar elsewhere).
using Floats4 = float __attribute__((vector_size(16)));
using Ints4 = int32_t __attribute__((vector_size(16)));
using Unsigned4 = uint32_t __attribute__((vector_size(16)));

// `colourChannel` of four lanes. Lanes outside 0..1 (or not numbers) are
// zeroed before the conversion, so it never sees a value out of range.
inline Unsigned4 colourChannels(Floats4 c)
{
    const Ints4 full = c >= 1.0f;
    const Ints4 inside = (c > 0.0f) & ~full;
    const Floats4 safe = (Floats4)((Ints4)c & inside);
    const Ints4 value = __builtin_convertvector(safe * 255.0f + 0.5f, Ints4);
    return (Unsigned4)((value & inside) | (full & 255));
}

// True when the weights of a span's pixels, from `eb - biasB` at its first
// pixel to the same at its last, all fit in 32 bits (the four-lane depth
// test below needs that; edge values grow with the triangle's size).
bool fitsInt32(int64_t first, int64_t last)
{
    return first >= INT32_MIN && first <= INT32_MAX && last >= INT32_MIN && last <= INT32_MAX;
}

template <bool Textured, bool Specular, bool Perspective>
[[gnu::always_inline]] inline void fillSpan(const Setup& setup, const RasterState& s, uint32_t* row,
                                            float* depthRow, int32_t first, int32_t last, int64_t eb, int64_t ec)
{
    // Local copies: the pixel writes could alias the setup and the state as
    // far as the compiler knows, which would reload them for every pixel.
    const Setup t = setup;
    const RasterVertex a = *t.a;
    const bool zEnable = s.zEnable, zWrite = s.zEnable && s.zWrite, flatColour = s.flatColour;
    const float flat[3] = {s.flat[0], s.flat[1], s.flat[2]};
    const Surface* texture = s.texture;
    // One pixel: its depth test, colour and writes.
    auto pixel = [&](int32_t x, int64_t eb, int64_t ec) {
        // Weights of b and c from the unbiased edge values.
        const float wb = float(eb - t.biasB) * t.inv, wc = float(ec - t.biasC) * t.inv;
        const float z = a.z + wb * t.dz1 + wc * t.dz2;
        if (zEnable && !(z < depthRow[x])) return; // less: equal depth keeps the first pixel
        float r, g, bl;
        if (flatColour) {
            r = flat[0], g = flat[1], bl = flat[2];
        } else {
            r = a.r + wb * t.dr1 + wc * t.dr2;
            g = a.g + wb * t.dg1 + wc * t.dg2;
            bl = a.b + wb * t.db1 + wc * t.db2;
        }
        if constexpr (Textured) {
            float u = a.uw + wb * t.du1 + wc * t.du2, v = a.vw + wb * t.dv1 + wc * t.dv2;
            if constexpr (Perspective) {
                const float w = 1.0f / (a.invW + wb * t.dw1 + wc * t.dw2);
                u *= w;
                v *= w;
            }
            const uint32_t tx = texel(*texture, u, v);
            r *= float((tx >> 16) & 0xFF) * (1.0f / 255.0f);
            g *= float((tx >> 8) & 0xFF) * (1.0f / 255.0f);
            bl *= float(tx & 0xFF) * (1.0f / 255.0f);
        }
        if constexpr (Specular) {
            r += a.sr + wb * t.dsr1 + wc * t.dsr2;
            g += a.sg + wb * t.dsg1 + wc * t.dsg2;
            bl += a.sb + wb * t.dsb1 + wc * t.dsb2;
        }
        row[x] = packColour(r, g, bl);
        if (zWrite) depthRow[x] = z;
    };

    int32_t x = first;
    // Four pixels at a time where the weights fit in 32 bits: the same float
    // operations in the same order as `pixel`, lane by lane, so the same
    // depths and colours. Where objects overlap most pixels fail the depth
    // test, and four that all fail cost one test; a pixel's test depends
    // only on its own depth, so testing four together changes no pixel.
    const int64_t n = int64_t(last) - first;
    if (n >= 3 && fitsInt32(eb - t.biasB, eb - t.biasB + n * t.stepB) &&
        fitsInt32(ec - t.biasC, ec - t.biasC + n * t.stepC)) {
        // The lanes step by whole edge steps; unsigned lanes so that the step
        // past the span's end may wrap without harm (it is never used).
        const Unsigned4 lane = {0, 1, 2, 3};
        Unsigned4 lanesB = uint32_t(eb - t.biasB) + lane * uint32_t(t.stepB);
        Unsigned4 lanesC = uint32_t(ec - t.biasC) + lane * uint32_t(t.stepC);
        const uint32_t stepB4 = uint32_t(t.stepB) * 4u, stepC4 = uint32_t(t.stepC) * 4u;
        for (; x + 3 <= last; x += 4, eb += 4 * t.stepB, ec += 4 * t.stepC, lanesB += stepB4, lanesC += stepC4) {
            const Floats4 wb = __builtin_convertvector((Ints4)lanesB, Floats4) * t.inv;
            const Floats4 wc = __builtin_convertvector((Ints4)lanesC, Floats4) * t.inv;
            const Floats4 z = a.z + wb * t.dz1 + wc * t.dz2;
            Ints4 pass = {-1, -1, -1, -1};
            if (zEnable) {
                Floats4 depth;
                std::memcpy(&depth, depthRow + x, sizeof depth);
                pass = z < depth;
                if ((pass[0] | pass[1] | pass[2] | pass[3]) == 0) continue;
            }
            if constexpr (Textured) {
                // Texel reads go pixel by pixel.
                for (int32_t k = 0; k < 4; ++k)
                    if (pass[k]) pixel(x + k, eb + k * t.stepB, ec + k * t.stepC);
            } else {
                Floats4 r, g, bl;
                if (flatColour) {
                    r = Floats4{} + flat[0], g = Floats4{} + flat[1], bl = Floats4{} + flat[2];
                } else {
                    r = a.r + wb * t.dr1 + wc * t.dr2;
                    g = a.g + wb * t.dg1 + wc * t.dg2;
                    bl = a.b + wb * t.db1 + wc * t.db2;
                }
                if constexpr (Specular) {
                    r += a.sr + wb * t.dsr1 + wc * t.dsr2;
                    g += a.sg + wb * t.dsg1 + wc * t.dsg2;
                    bl += a.sb + wb * t.dsb1 + wc * t.dsb2;
                }
                const Unsigned4 colour = colourChannels(r) << 16 | colourChannels(g) << 8 | colourChannels(bl);
                for (int32_t k = 0; k < 4; ++k) {
                    if (!pass[k]) continue;
                    row[x + k] = colour[k];
                    if (zWrite) depthRow[x + k] = z[k];
                }
            }
        }
    }
    for (; x <= last; ++x, eb += t.stepB, ec += t.stepC) pixel(x, eb, ec);
}

// Narrows [lo, hi] (pixel steps from the row start) to where e + k * step >= 0.
// Divides only when the edge crosses the range.
void narrow(int64_t e, int64_t step, int64_t& lo, int64_t& hi)
{
    if (step == 0) {
        if (e < 0) hi = lo - 1;
        return;
    }
    if (step > 0) {
        if (e + lo * step < 0) lo = std::max(lo, (-e + step - 1) / step);
    } else {
        if (e < 0) hi = lo - 1;
        else if (e + hi * step < 0) hi = std::min(hi, e / -step);
    }
}

// The rows of a triangle's bounding box: where it lies, and the edge values
// at the first pixel of the first row with their steps per pixel and per
// row (exact integers, so stepping equals evaluating).
struct Rows {
    int32_t minX, maxX, minY, maxY;
    int64_t ea, eb, ec;
    int64_t stepA, rowA, rowB, rowC;
};

// Fills the covered span of every row. One function per kind of triangle,
// with the span filler inlined, so that what is the same for every pixel of
// the triangle is prepared once for the triangle rather than once a row.
template <bool Textured, bool Specular, bool Perspective>
void fillRows(const Setup& setup, const RasterState& state, const RasterTarget& target, Rows r, Rect& drawn)
{
    const Setup t = setup;
    const RasterState s = state;
    for (int32_t y = r.minY; y <= r.maxY; ++y, r.ea += r.rowA, r.eb += r.rowB, r.ec += r.rowC) {
        // The covered span of this row, from the three edges exactly.
        int64_t lo = 0, hi = int64_t(r.maxX) - r.minX;
        narrow(r.ea, r.stepA, lo, hi);
        narrow(r.eb, t.stepB, lo, hi);
        narrow(r.ec, t.stepC, lo, hi);
        if (lo > hi) continue;
        const int32_t first = r.minX + int32_t(lo), last = r.minX + int32_t(hi);
        fillSpan<Textured, Specular, Perspective>(t, s, target.pixels + size_t(y) * size_t(target.width),
                                                  target.depth + size_t(y) * size_t(target.width), first, last,
                                                  r.eb + lo * t.stepB, r.ec + lo * t.stepC);
        growRect(drawn, Rect{first, y, last, y});
    }
}

using RowFiller = void (*)(const Setup&, const RasterState&, const RasterTarget&, Rows, Rect&);

RowFiller chooseFiller(bool textured, bool specular, bool perspective)
{
    static const RowFiller fillers[2][2][2] = {
        {{fillRows<false, false, false>, fillRows<false, false, true>},
         {fillRows<false, true, false>, fillRows<false, true, true>}},
        {{fillRows<true, false, false>, fillRows<true, false, true>},
         {fillRows<true, true, false>, fillRows<true, true, true>}}};
    return fillers[textured][specular][perspective];
}

} // namespace

void rasterTriangle(const RasterVertex& a, const RasterVertex& b0, const RasterVertex& c0, const RasterState& s,
                    const RasterTarget& target, Rect& drawn)
{
    // Make the winding clockwise on screen so one inside test serves both.
    int64_t area = edge(a.x, a.y, b0.x, b0.y, c0.x, c0.y);
    if (area == 0) return;
    const RasterVertex& b = area > 0 ? b0 : c0;
    const RasterVertex& c = area > 0 ? c0 : b0;
    if (area < 0) area = -area;

    Rect clip = s.clip;
    clip.x1 = std::max(clip.x1, 0);
    clip.y1 = std::max(clip.y1, 0);
    clip.x2 = std::min(clip.x2, target.width - 1);
    clip.y2 = std::min(clip.y2, target.height - 1);
    // Pixel x is covered when its centre x * 16 + 8 lies inside.
    auto firstPixel = [](int32_t lo) { return int32_t((int64_t(lo) - subpixelOne / 2 + subpixelOne - 1) >> subpixelBits); };
    auto lastPixel = [](int32_t hi) { return int32_t((int64_t(hi) - subpixelOne / 2) >> subpixelBits); };
    const int32_t minX = std::max(clip.x1, firstPixel(std::min({a.x, b.x, c.x})));
    const int32_t maxX = std::min(clip.x2, lastPixel(std::max({a.x, b.x, c.x})));
    const int32_t minY = std::max(clip.y1, firstPixel(std::min({a.y, b.y, c.y})));
    const int32_t maxY = std::min(clip.y2, lastPixel(std::max({a.y, b.y, c.y})));
    if (minX > maxX || minY > maxY) return;

    Setup t;
    t.a = &a;
    t.inv = 1.0f / float(area);
    const int64_t biasA = ownBias(b.x, b.y, c.x, c.y); // edge opposite a
    t.biasB = ownBias(c.x, c.y, a.x, a.y);
    t.biasC = ownBias(a.x, a.y, b.x, b.y);
    // Steps of the edge functions per pixel in x.
    const int64_t stepA = -int64_t(c.y - b.y) * subpixelOne;
    t.stepB = -int64_t(a.y - c.y) * subpixelOne;
    t.stepC = -int64_t(b.y - a.y) * subpixelOne;
    // Attribute deltas from a to b and from a to c.
    t.dz1 = b.z - a.z, t.dz2 = c.z - a.z;
    t.dw1 = b.invW - a.invW, t.dw2 = c.invW - a.invW;
    t.dr1 = b.r - a.r, t.dr2 = c.r - a.r, t.dg1 = b.g - a.g, t.dg2 = c.g - a.g, t.db1 = b.b - a.b, t.db2 = c.b - a.b;
    t.dsr1 = b.sr - a.sr, t.dsr2 = c.sr - a.sr, t.dsg1 = b.sg - a.sg, t.dsg2 = c.sg - a.sg;
    t.dsb1 = b.sb - a.sb, t.dsb2 = c.sb - a.sb;
    t.du1 = b.uw - a.uw, t.du2 = c.uw - a.uw, t.dv1 = b.vw - a.vw, t.dv2 = c.vw - a.vw;
    const bool textured = s.texture && !s.texture->emptySurface();
    const bool specular = s.specular && (a.sr != 0 || a.sg != 0 || a.sb != 0 || b.sr != 0 || b.sg != 0 || b.sb != 0 ||
                                         c.sr != 0 || c.sg != 0 || c.sb != 0);
    const RowFiller fill = chooseFiller(textured, specular, s.perspective);

    Rows rows;
    rows.minX = minX, rows.maxX = maxX, rows.minY = minY, rows.maxY = maxY;
    const int64_t px = int64_t(minX) * subpixelOne + subpixelOne / 2;
    const int64_t py0 = int64_t(minY) * subpixelOne + subpixelOne / 2;
    rows.ea = edge(b.x, b.y, c.x, c.y, px, py0) + biasA;
    rows.eb = edge(c.x, c.y, a.x, a.y, px, py0) + t.biasB;
    rows.ec = edge(a.x, a.y, b.x, b.y, px, py0) + t.biasC;
    rows.stepA = stepA;
    rows.rowA = int64_t(c.x - b.x) * subpixelOne, rows.rowB = int64_t(a.x - c.x) * subpixelOne;
    rows.rowC = int64_t(b.x - a.x) * subpixelOne;
    fill(t, s, target, rows, drawn);
}

} // namespace quillo::engine3d
