#include "texture_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>

namespace quillo {

namespace {

int32_t grid(float v) { return int32_t(std::trunc(v / dt)); }

// How close a file's coordinate (in texels) must come to the renderer's
// texel to count as that texel exactly.
constexpr double exactness = 1e-3;

// One corner on one axis: the grid coordinate and the file's coordinate in texels.
using AxisSample = std::pair<int32_t, double>;

// 2: the file gives exactly the renderer's texel; 1: a point inside that
// texel (a reader that does not round to texels); 0: another texel.
int agreement(int32_t texel, double file)
{
    if (std::fabs(file - texel) < exactness) return 2;
    return file > texel && file < texel + 1 ? 1 : 0;
}

struct AxisFit {
    int32_t lo = 0, hi = 0;
    long score = -1; // 4 per exact corner, 1 per corner inside its texel, -1 per wrong one
};

long axisScore(const std::set<AxisSample>& samples, int32_t size, int32_t lo, int32_t hi)
{
    long score = 0;
    for (const auto& [s, file] : samples) {
        const int a = agreement(planarTexel(size, lo, hi, s), file);
        score += a == 2 ? 4 : a == 1 ? 1 : -1;
    }
    return score;
}

// The texel a file's coordinate stands for: the nearest whole texel when
// it is one, else the texel it lies in.
double texelOf(double file)
{
    const double nearest = std::round(file);
    return std::fabs(file - nearest) < exactness ? nearest : std::floor(file);
}

// A first guess of the axis from the corners: the median of the slopes
// between pairs of corners inside the picture (or any corners when fewer
// than two differ), then the median place of the rectangle's low edge.
// Corners whose coordinates no mapping gives only move the medians a little.
bool estimateAxis(const std::vector<AxisSample>& all, int32_t size, double& lo, double& perTexel)
{
    std::vector<AxisSample> inside;
    for (const AxisSample& x : all)
        if (x.second > exactness && x.second < size - exactness) inside.push_back(x);
    const std::vector<AxisSample>& use = inside.size() >= 2 ? inside : all;
    std::vector<double> slopes;
    const size_t stride = std::max<size_t>(1, use.size() / 64); // at most about 64 x 64 pairs
    for (size_t i = 0; i < use.size(); i += stride)
        for (size_t j = i + 1; j < use.size(); j += stride)
            if (std::fabs(use[j].second - use[i].second) > exactness && use[j].first != use[i].first)
                slopes.push_back((double(use[j].first) - use[i].first) / (use[j].second - use[i].second));
    if (slopes.empty()) return false;
    std::nth_element(slopes.begin(), slopes.begin() + long(slopes.size() / 2), slopes.end());
    perTexel = slopes[slopes.size() / 2];
    std::vector<double> lows;
    for (const AxisSample& x : use) lows.push_back(double(x.first) - x.second * perTexel);
    std::nth_element(lows.begin(), lows.begin() + long(lows.size() / 2), lows.end());
    lo = lows[lows.size() / 2];
    return std::isfinite(lo) && std::isfinite(perTexel) && perTexel != 0.0 && std::fabs(lo) < 1e9 &&
           std::fabs(perTexel * size) < 1e9;
}

// For a rectangle `span` grid units across (low edge to high edge, rising
// with the coordinate), the low edge that most corners agree with: each
// corner allows a range of low edges, and the place covered by most ranges
// wins (nearest `guess` among equals). Returns how many corners agree.
long bestLowEdge(const std::vector<AxisSample>& samples, int32_t size, int64_t span, double guess, int64_t& lo)
{
    const double perTexel = double(span) / size;
    constexpr int64_t far = int64_t(1) << 40;
    std::vector<std::pair<int64_t, int>> events; // (place, +1 from here on / -1 from here on)
    for (const auto& [s, file] : samples) {
        const double texel = texelOf(file);
        if (texel < 0 || texel > size) continue; // no mapping gives it
        // The renderer's value size / span * (s - lo) must lie in [texel, texel + 1), or reach size at the top.
        int64_t first = -far, last = far;
        if (texel < size) first = int64_t(std::floor(s - (texel + 1) * perTexel)) + 1;
        if (texel > 0) last = int64_t(std::floor(s - texel * perTexel));
        if (first > last) continue;
        events.emplace_back(first, 1);
        events.emplace_back(last + 1, -1);
    }
    std::sort(events.begin(), events.end());
    long best = 0, covered = 0;
    lo = int64_t(std::llround(guess));
    double bestDistance = 0;
    for (size_t i = 0; i < events.size(); ++i) {
        covered += events[i].second;
        if (i + 1 < events.size() && events[i + 1].first == events[i].first) continue;
        if (i + 1 == events.size() || covered <= 0) continue;
        // Every place from here to the next event is covered `covered` times.
        const int64_t from = events[i].first, to = events[i + 1].first - 1;
        const int64_t nearest = std::clamp(int64_t(std::llround(guess)), from, to);
        const double distance = std::fabs(double(nearest) - guess);
        if (covered > best || (covered == best && distance < bestDistance)) {
            best = covered;
            lo = nearest;
            bestDistance = distance;
        }
    }
    return best;
}

// The ends lo, hi of one axis of the rectangle. The renderer cuts to whole
// texels, so corners only bound the ends: spans near the estimated one are
// tried, each with the low edge most corners allow, and the rectangle that
// gives most corners their texel is kept (the one nearest the estimate
// among equals).
AxisFit fitAxis(const std::set<AxisSample>& sampleSet, int32_t size)
{
    AxisFit best;
    if (sampleSet.empty() || size <= 0) return best;
    std::vector<AxisSample> samples(sampleSet.begin(), sampleSet.end());
    double lo = 0, perTexel = 0;
    if (!estimateAxis(samples, size, lo, perTexel)) return best;
    // A mirrored rectangle (high edge below the low one) is the plain one of the mirrored coordinates.
    const bool mirrored = perTexel < 0;
    if (mirrored) {
        for (AxisSample& x : samples) x.first = -x.first;
        lo = -lo;
        perTexel = -perTexel;
    }
    const double span = perTexel * size;
    const int64_t spanGuess = std::max<int64_t>(1, std::llround(span));
    // Half the span each way, held to 10000 spans and a few million corner checks.
    int64_t reach = std::clamp<int64_t>(spanGuess / 2, 8, 10000);
    reach = std::min<int64_t>(reach, std::max<int64_t>(8, 4000000 / int64_t(samples.size() + 1)));
    long bestCount = -1;
    for (int64_t step = 0; step <= 2 * reach; ++step) {
        // Spans in the order 0, +1, -1, +2, -2, … from the guess.
        const int64_t off = step % 2 ? (step + 1) / 2 : -(step / 2);
        const int64_t width = spanGuess + off;
        if (width < 1 || width > int64_t(1) << 31) continue;
        int64_t low = 0;
        const long count = bestLowEdge(samples, size, width, lo, low);
        if (count <= bestCount) continue;
        const int64_t high = low + width;
        if (std::llabs(low) >= int64_t(1) << 31 || std::llabs(high) >= int64_t(1) << 31) continue;
        bestCount = count;
        const int32_t l = int32_t(mirrored ? -low : low), h = int32_t(mirrored ? -high : high);
        best = AxisFit{l, h, axisScore(sampleSet, size, l, h)};
        if (count == long(samples.size())) break; // every corner agrees
    }
    return best;
}

bool cornerFits(const PlanarFit& r, int32_t width, int32_t height, int32_t s, int32_t t, const float uv[2])
{
    return agreement(planarTexel(width, r.x0, r.x1, s), double(uv[0]) * width) > 0 &&
           agreement(planarTexel(height, r.y0, r.y1, t), double(uv[1]) * height) > 0;
}

} // namespace

void planeCoordinates(int32_t plane, const Vertex& v, int32_t& s, int32_t& t)
{
    switch (plane) {
    case planeZY: s = grid(v.z), t = grid(v.y); break;
    case planeXZ: s = grid(v.x), t = grid(v.z); break;
    default: s = grid(v.x), t = grid(v.y); break;
    }
}

int32_t planarTexel(int32_t size, int32_t lo, int32_t hi, int32_t s)
{
    if (size <= 0 || hi == lo) return 0;
    const double value = double(size) / (double(hi) - double(lo)) * (double(s) - double(lo));
    return int32_t(std::clamp(std::trunc(value), 0.0, double(size)));
}

bool touchesRectangle(const PlanarFit& r, const int32_t s[3], const int32_t t[3])
{
    const int32_t sMin = std::min(r.x0, r.x1), sMax = std::max(r.x0, r.x1);
    const int32_t tMin = std::min(r.y0, r.y1), tMax = std::max(r.y0, r.y1);
    auto all = [](const int32_t w[3], auto test) { return test(w[0]) && test(w[1]) && test(w[2]); };
    return !all(s, [&](int32_t x) { return x <= sMin; }) && !all(s, [&](int32_t x) { return x >= sMax; }) &&
           !all(t, [&](int32_t x) { return x <= tMin; }) && !all(t, [&](int32_t x) { return x >= tMax; });
}

bool fitPlanarTexture(const Records<Vertex>& vertices, const std::vector<TexturedTriangle>& triangles, int32_t width,
                      int32_t height, PlanarFit& fit, std::vector<char>& fits)
{
    fits.assign(triangles.size(), 0);
    size_t bestCount = 0;
    for (const int32_t plane : {planeXY, planeZY, planeXZ}) {
        std::set<AxisSample> across, down;
        for (const TexturedTriangle& tri : triangles)
            for (int k = 0; k < 3; ++k) {
                int32_t s, t;
                planeCoordinates(plane, vertices[tri.v[k]], s, t);
                across.emplace(s, double(tri.uv[k][0]) * width);
                down.emplace(t, double(tri.uv[k][1]) * height);
            }
        const AxisFit u = fitAxis(across, width), v = fitAxis(down, height);
        if (u.score < 0 || v.score < 0) continue;
        const PlanarFit candidate{plane, u.lo, v.lo, u.hi, v.hi};
        std::vector<char> here(triangles.size(), 0);
        size_t count = 0;
        for (size_t i = 0; i < triangles.size(); ++i) {
            const TexturedTriangle& tri = triangles[i];
            int32_t s[3], t[3];
            bool ok = true;
            for (int k = 0; k < 3; ++k) {
                planeCoordinates(plane, vertices[tri.v[k]], s[k], t[k]);
                ok = ok && cornerFits(candidate, width, height, s[k], t[k], tri.uv[k]);
            }
            // A triangle outside the rectangle would be drawn in its colour alone.
            here[i] = ok && touchesRectangle(candidate, s, t);
            count += here[i] ? 1 : 0;
        }
        if (count > bestCount) {
            bestCount = count;
            fit = candidate;
            fits = std::move(here);
        }
    }
    return bestCount > 0;
}

} // namespace quillo
