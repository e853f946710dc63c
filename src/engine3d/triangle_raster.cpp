#include "triangle_raster.h"

#include <algorithm>
#include <cmath>

namespace quillo::engine3d {

namespace {

int32_t saturate(double v)
{
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return int32_t(v);
}

uint32_t channel(float c)
{
    if (!(c > 0.0f)) return 0;
    if (c >= 1.0f) return 255;
    return uint32_t(c * 255.0f + 0.5f);
}

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

uint32_t texel(const Surface& t, float u, float v)
{
    int32_t x = saturate(double(u) * t.width), y = saturate(double(v) * t.height);
    x = std::clamp(x, 0, t.width - 1);
    y = std::clamp(y, 0, t.height - 1);
    return t.at(x, y);
}

} // namespace

int32_t snapToSubpixel(float pixels)
{
    return saturate(std::floor(double(pixels) * subpixelOne + 0.5));
}

uint32_t packColour(float r, float g, float b) { return channel(r) << 16 | channel(g) << 8 | channel(b); }

void growRect(Rect& r, const Rect& add)
{
    if (add.empty()) return;
    if (r.empty()) {
        r = add;
        return;
    }
    r.x1 = std::min(r.x1, add.x1);
    r.y1 = std::min(r.y1, add.y1);
    r.x2 = std::max(r.x2, add.x2);
    r.y2 = std::max(r.y2, add.y2);
}

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

    const int64_t biasA = ownBias(b.x, b.y, c.x, c.y); // edge opposite a
    const int64_t biasB = ownBias(c.x, c.y, a.x, a.y);
    const int64_t biasC = ownBias(a.x, a.y, b.x, b.y);
    // Steps of the edge functions per pixel in x.
    const int64_t stepA = -int64_t(c.y - b.y) * subpixelOne;
    const int64_t stepB = -int64_t(a.y - c.y) * subpixelOne;
    const int64_t stepC = -int64_t(b.y - a.y) * subpixelOne;

    const float inv = 1.0f / float(area);
    // Attribute deltas from a to b and from a to c.
    const float dz1 = b.z - a.z, dz2 = c.z - a.z;
    const float dw1 = b.invW - a.invW, dw2 = c.invW - a.invW;
    const float dr1 = b.r - a.r, dr2 = c.r - a.r, dg1 = b.g - a.g, dg2 = c.g - a.g, db1 = b.b - a.b, db2 = c.b - a.b;
    const float dsr1 = b.sr - a.sr, dsr2 = c.sr - a.sr, dsg1 = b.sg - a.sg, dsg2 = c.sg - a.sg;
    const float dsb1 = b.sb - a.sb, dsb2 = c.sb - a.sb;
    const float du1 = b.uw - a.uw, du2 = c.uw - a.uw, dv1 = b.vw - a.vw, dv2 = c.vw - a.vw;
    const bool textured = s.texture && !s.texture->emptySurface();

    for (int32_t y = minY; y <= maxY; ++y) {
        const int64_t py = int64_t(y) * subpixelOne + subpixelOne / 2;
        const int64_t px = int64_t(minX) * subpixelOne + subpixelOne / 2;
        int64_t ea = edge(b.x, b.y, c.x, c.y, px, py) + biasA;
        int64_t eb = edge(c.x, c.y, a.x, a.y, px, py) + biasB;
        int64_t ec = edge(a.x, a.y, b.x, b.y, px, py) + biasC;
        int32_t rowFirst = -1, rowLast = -1;
        uint32_t* row = target.pixels + size_t(y) * size_t(target.width);
        float* depthRow = target.depth + size_t(y) * size_t(target.width);
        for (int32_t x = minX; x <= maxX; ++x, ea += stepA, eb += stepB, ec += stepC) {
            if ((ea | eb | ec) < 0) continue;
            if (rowFirst < 0) rowFirst = x;
            rowLast = x;
            // Weights of b and c from the unbiased edge values.
            const float wb = float(eb - biasB) * inv, wc = float(ec - biasC) * inv;
            const float z = a.z + wb * dz1 + wc * dz2;
            if (s.zEnable && !(z < depthRow[x])) continue; // less: equal depth keeps the first pixel
            float r, g, bl;
            if (s.flatColour) {
                r = s.flat[0], g = s.flat[1], bl = s.flat[2];
            } else {
                r = a.r + wb * dr1 + wc * dr2;
                g = a.g + wb * dg1 + wc * dg2;
                bl = a.b + wb * db1 + wc * db2;
            }
            if (textured) {
                float u = a.uw + wb * du1 + wc * du2, v = a.vw + wb * dv1 + wc * dv2;
                if (s.perspective) {
                    const float w = a.invW + wb * dw1 + wc * dw2;
                    u /= w;
                    v /= w;
                }
                const uint32_t t = texel(*s.texture, u, v);
                r *= float((t >> 16) & 0xFF) * (1.0f / 255.0f);
                g *= float((t >> 8) & 0xFF) * (1.0f / 255.0f);
                bl *= float(t & 0xFF) * (1.0f / 255.0f);
            }
            if (s.specular) {
                r += a.sr + wb * dsr1 + wc * dsr2;
                g += a.sg + wb * dsg1 + wc * dsg2;
                bl += a.sb + wb * dsb1 + wc * dsb2;
            }
            row[x] = packColour(r, g, bl);
            if (s.zEnable && s.zWrite) depthRow[x] = z;
        }
        if (rowFirst >= 0) growRect(drawn, Rect{rowFirst, y, rowLast, y});
    }
}

} // namespace quillo::engine3d
