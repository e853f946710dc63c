#include "dxf_pairing.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace quillo {

namespace {

float edgeLength(const DxfVertex& p, const DxfVertex& q)
{
    float dx = q.x - p.x;
    float dy = q.y - p.y;
    float dz = q.z - p.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz); // float square root
}

} // namespace

TriangleEdge longestEdge(const DxfTriangle& t, const Records<DxfVertex>& vertices)
{
    const DxfVertex& a = vertices[t.a];
    const DxfVertex& b = vertices[t.b];
    const DxfVertex& c = vertices[t.c];
    float ab = edgeLength(a, b);
    float bc = edgeLength(b, c);
    float ca = edgeLength(c, a);
    if (ab > bc && ab > ca) return {t.a, t.b, t.c};
    if (bc >= ab && bc > ca) return {t.b, t.c, t.a};
    return {t.c, t.a, t.b};
}

DxfQuad pairedQuad(int32_t a, int32_t b, int32_t c, int32_t d, int32_t colour,
                   const Records<DxfVertex>& vertices)
{
    float za = vertices[a].z, zb = vertices[b].z, zc = vertices[c].z, zd = vertices[d].z;
    enum { A, C, B, D } highest = A;
    float top = za;
    if (zc > top) { highest = C; top = zc; }
    if (zb > top) { highest = B; top = zb; }
    if (zd > top) { highest = D; top = zd; }

    auto quad = [colour](int32_t q0, int32_t q1, int32_t q2, int32_t q3, int32_t diagonal) {
        return DxfQuad{q0, q1, q2, q3, diagonal, colour};
    };
    switch (highest) {
    case A: return zd < zc ? quad(a, c, b, d, 0) : quad(d, a, c, b, 1);
    case C: return zb < za ? quad(a, c, b, d, 0) : quad(c, b, d, a, 1);
    case B: return zd < zc ? quad(c, b, d, a, 1) : quad(b, d, a, c, 0);
    case D: break;
    }
    return zb < za ? quad(d, a, c, b, 1) : quad(b, d, a, c, 0);
}

bool pairTriangles(DxfFaceLists& lists)
{
    const int n = lists.triangles.count();
    if (n < 2) return true;

    std::vector<TriangleEdge> edges(size_t(n), TriangleEdge{});
    // Triangles grouped by their longest edge (either direction) and colour,
    // in list order within a group. The walk pairs the members of a group
    // one after another: first with second, third with fourth, and so on.
    struct Key {
        int32_t low, high, colour, index;
        bool operator<(const Key& o) const
        {
            if (low != o.low) return low < o.low;
            if (high != o.high) return high < o.high;
            if (colour != o.colour) return colour < o.colour;
            return index < o.index;
        }
        bool sameGroup(const Key& o) const { return low == o.low && high == o.high && colour == o.colour; }
    };
    std::vector<Key> keys(size_t(n), Key{});
    for (int i = 0; i < n; ++i) {
        const DxfTriangle& t = lists.triangles[i];
        TriangleEdge e = longestEdge(t, lists.vertices);
        edges[size_t(i)] = e;
        keys[size_t(i)] = Key{std::min(e.from, e.to), std::max(e.from, e.to), t.colour, i};
    }
    std::sort(keys.begin(), keys.end());

    std::vector<int32_t> partner(size_t(n), -1);
    for (size_t k = 0; k + 1 < keys.size();) {
        if (keys[k].sameGroup(keys[k + 1])) {
            partner[size_t(keys[k].index)] = keys[k + 1].index;
            k += 2;
        } else {
            k += 1;
        }
    }
    keys = {};

    std::unique_ptr<bool[]> keep(new bool[size_t(n)]);
    std::fill(keep.get(), keep.get() + n, true);
    for (int i = 0; i < n; ++i) {
        int u = partner[size_t(i)];
        if (u < 0) continue;
        const TriangleEdge& t = edges[size_t(i)];
        DxfQuad q = pairedQuad(t.from, t.to, t.opposite, edges[size_t(u)].opposite,
                               lists.triangles[i].colour, lists.vertices);
        if (lists.addQuad(q) < 0) return false;
        keep[size_t(i)] = false;
        keep[size_t(u)] = false;
    }
    lists.keepTriangles(keep.get());
    return true;
}

} // namespace quillo
