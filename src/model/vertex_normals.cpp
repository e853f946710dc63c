#include "vertex_normals.h"

#include <algorithm>
#include <cmath>

namespace quillo {

namespace {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double length(const Vec3& a) { return std::sqrt(dot(a, a)); }
Vec3 cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3 positionOf(const Vertex& v) { return {v.x, v.y, v.z}; }
double distance(const Vertex& a, const Vertex& b) { return length(positionOf(a) - positionOf(b)); }

// The angle between two edges leaving a corner.
double cornerAngle(const Vec3& e1, const Vec3& e2)
{
    const double cosine = dot(e1, e2) / (length(e1) * length(e2));
    return std::acos(std::clamp(cosine, -1.0, 1.0));
}

bool validIndex(int32_t i, int count) { return i >= 0 && i < count; }

// The two triangles of a face by its diagonal; false for a triangle that
// repeats an index or names a vertex the object does not have.
bool triangleOf(const Face& f, int which, int count, int32_t out[3])
{
    static const int corners[2][2][3] = {{{0, 1, 3}, {1, 2, 3}}, {{0, 1, 2}, {0, 2, 3}}};
    const int(&c)[3] = corners[f.altDiagonal == 1 ? 1 : 0][which];
    for (int k = 0; k < 3; ++k) out[k] = f.index(c[k]);
    if (out[0] == out[1] || out[1] == out[2] || out[0] == out[2]) return false;
    return validIndex(out[0], count) && validIndex(out[1], count) && validIndex(out[2], count);
}

// Adds a triangle's unit normal to its corners, weighted by the corner angles.
void addTriangleNormal(const Records<Vertex>& vertices, const int32_t t[3], std::vector<Vec3>& sums)
{
    const Vec3 p[3] = {positionOf(vertices[t[0]]), positionOf(vertices[t[1]]), positionOf(vertices[t[2]])};
    const Vec3 n = cross(p[0] - p[1], p[2] - p[1]);
    const double len = length(n);
    if (!(len > 0.0) || !std::isfinite(len)) return; // degenerate: no direction to add
    const Vec3 unit{n.x / len, n.y / len, n.z / len};
    for (int k = 0; k < 3; ++k) {
        const double angle = cornerAngle(p[(k + 1) % 3] - p[k], p[(k + 2) % 3] - p[k]);
        if (!std::isfinite(angle)) continue;
        Vec3& s = sums[size_t(t[k])];
        s.x += unit.x * angle;
        s.y += unit.y * angle;
        s.z += unit.z * angle;
    }
}

} // namespace

int removeUnusedVertices(ModelObject& object, const std::vector<char>& used)
{
    Records<Vertex>& vertices = object.vertices;
    const int count = vertices.count();
    std::vector<int32_t> renumber(size_t(count), 0);
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        renumber[size_t(i)] = kept; // a removed vertex's own index drops like the one above it
        if (i < int(used.size()) && used[size_t(i)]) {
            if (kept != i) vertices[kept] = vertices[i];
            ++kept;
        }
    }
    const int removed = count - kept;
    if (removed == 0) return 0;
    while (vertices.count() > kept) vertices.removeAt(vertices.count() - 1);
    for (ModelPart* part : object.partList)
        for (Face& f : part->faces)
            for (int k = 0; k < 4; ++k) {
                int32_t& i = f.index(k);
                if (i >= count) i -= removed;
                else if (i >= 0) i = renumber[size_t(i)];
            }
    return removed;
}

void smoothSplitEdges(ModelObject& object, bool backwards)
{
    Records<Vertex>& vertices = object.vertices;
    const int count = vertices.count();
    if (count == 0) return;
    // M1: A->B, M2: B->C, M3: C->D, M4: D->A of the last face that set them.
    std::vector<int32_t> maps[4];
    for (auto& m : maps) m.assign(size_t(count), -1);
    auto record = [&](const Face& f) {
        for (int k = 0; k < 4; ++k) {
            const int32_t from = f.index(k), to = f.index((k + 1) % 4);
            if (from != to && validIndex(from, count) && validIndex(to, count)) maps[k][size_t(from)] = to;
        }
    };
    const int partCount = object.partList.count();
    for (int p = 0; p < partCount; ++p) {
        const ModelPart* part = object.partList[backwards ? partCount - 1 - p : p];
        const int faceCount = part->faces.count();
        for (int i = 0; i < faceCount; ++i) record(part->faces[backwards ? faceCount - 1 - i : i]);
    }

    auto onBorder = [&](int32_t g) {
        return maps[0][size_t(g)] < 0 || maps[1][size_t(g)] < 0 || maps[2][size_t(g)] < 0 || maps[3][size_t(g)] < 0;
    };
    // Walk pairs (first map, chain map): M4 then M2, M3 then M1, M1 then M3, M2 then M4.
    static const int walks[4][2] = {{3, 1}, {2, 0}, {0, 2}, {1, 3}};
    for (int32_t k = 0; k < count; ++k) {
        for (const auto& walk : walks) {
            const std::vector<int32_t>& first = maps[walk[0]];
            const std::vector<int32_t>& chainMap = maps[walk[1]];
            const int32_t o = first[size_t(k)];
            if (o < 0) continue;
            const int32_t s = chainMap[size_t(o)];
            if (s < 0 || s == k) continue;
            int32_t chain[9];
            int chainLength = 0;
            chain[chainLength++] = s;
            bool reached = false;
            int32_t at = s;
            for (int step = 0; step < 8; ++step) {
                at = chainMap[size_t(at)];
                if (at < 0) break;
                if (at == k) {
                    reached = true;
                    break;
                }
                chain[chainLength++] = at;
            }
            if (!reached) continue;
            for (int i = 0; i < chainLength; ++i) {
                const int32_t g = chain[i];
                if (!onBorder(g)) continue;
                Vertex& vg = vertices[g];
                const Vertex& vk = vertices[k];
                const Vertex& vo = vertices[o];
                const double dk = distance(vg, vk), d0 = distance(vg, vo);
                const double f = dk + d0 > 0.0 ? dk / (dk + d0) : 0.5; // all three at one point: halfway
                vg.nx = float(f * vo.nx + (1.0 - f) * vk.nx);
                vg.ny = float(f * vo.ny + (1.0 - f) * vk.ny);
                vg.nz = float(f * vo.nz + (1.0 - f) * vk.nz);
            }
        }
    }
}

void smoothVertexNormals(ModelObject& object)
{
    Records<Vertex>& vertices = object.vertices;
    for (Vertex& v : vertices) v.nx = v.ny = v.nz = 0.0f;

    // Unused vertices go first; they would add nothing to any normal.
    std::vector<char> used(size_t(vertices.count()), 0);
    for (ModelPart* part : object.partList)
        for (const Face& f : part->faces)
            for (int k = 0; k < 4; ++k)
                if (validIndex(f.index(k), vertices.count())) used[size_t(f.index(k))] = 1;
    removeUnusedVertices(object, used);

    const int count = vertices.count();
    std::vector<Vec3> sums(static_cast<size_t>(count));
    for (ModelPart* part : object.partList)
        for (const Face& f : part->faces) {
            if (f.twistFix) continue;
            for (int which = 0; which < 2; ++which) {
                int32_t t[3];
                if (triangleOf(f, which, count, t)) addTriangleNormal(vertices, t, sums);
            }
        }
    for (int i = 0; i < count; ++i) {
        Vertex& v = vertices[i];
        const Vec3& n = sums[size_t(i)];
        const double len = length(n);
        if (len > 0.0 && std::isfinite(len)) {
            v.nx = float(n.x / len);
            v.ny = float(n.y / len);
            v.nz = float(n.z / len);
        } else {
            v.nx = v.ny = v.nz = 0.0f; // no face direction: no light from the lamp
        }
    }

    smoothSplitEdges(object, false);
    smoothSplitEdges(object, true);
}

} // namespace quillo
