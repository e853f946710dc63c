#include "picking.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "model/fixed_point.h"

namespace quillo {

ScreenRect rectBetween(int x0, int y0, int x1, int y1)
{
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

int pickTriangles(const Face& f, int32_t (&tri)[2][3])
{
    const int32_t c0 = f.vertexA, c1 = f.vertexB, c2 = f.vertexC, c3 = f.vertexD;
    int32_t both[2][3];
    if (f.altDiagonal) {
        both[0][0] = c2, both[0][1] = c0, both[0][2] = c1;
        both[1][0] = c3, both[1][1] = c0, both[1][2] = c2;
    } else {
        both[0][0] = c3, both[0][1] = c0, both[0][2] = c1;
        both[1][0] = c3, both[1][1] = c1, both[1][2] = c2;
    }
    int n = 0;
    for (auto& t : both) {
        if (t[0] == t[1] || t[1] == t[2] || t[0] == t[2]) continue;
        tri[n][0] = t[0];
        tri[n][1] = t[1];
        tri[n][2] = t[2];
        ++n;
    }
    return n;
}

bool facesViewer(const Vertex& p, const Vertex& q, const Vertex& r)
{
    const int64_t value = int64_t(q.sx - r.sx) * (p.sy - q.sy) + int64_t(r.sy - q.sy) * (p.sx - q.sx);
    return value >= 0;
}

namespace {

bool inside(const Vertex& v, const ScreenRect& r)
{
    return v.sx >= r.left && v.sx <= r.right && v.sy >= r.top && v.sy <= r.bottom;
}

bool validFace(const Face& f, int vertexCount)
{
    for (int k = 0; k < 4; ++k)
        if (f.index(k) < 0 || f.index(k) >= vertexCount) return false;
    return true;
}

} // namespace

std::vector<Face> rubberBandHits(const ModelObject& object, const ScreenRect& rect)
{
    std::vector<Face> hits;
    const int vertexCount = object.vertices.count();
    for (int p = object.partList.count() - 1; p >= 0; --p) {
        for (const Face& f : object.partList[p]->faces) {
            if (!validFace(f, vertexCount)) continue;
            int32_t tri[2][3];
            int n = pickTriangles(f, tri);
            bool counts = n > 0;
            for (int t = 0; t < n && counts; ++t) {
                const Vertex& a = object.vertices[tri[t][0]];
                const Vertex& b = object.vertices[tri[t][1]];
                const Vertex& c = object.vertices[tri[t][2]];
                counts = inside(a, rect) && inside(b, rect) && inside(c, rect) &&
                         (f.doubleSided || facesViewer(a, b, c));
            }
            if (counts) hits.push_back(f);
        }
    }
    return hits;
}

int64_t triangleHit(const Vertex& p, const Vertex& q, const Vertex& r, bool doubleSided, int x, int y)
{
    if (p.vz <= 0 || q.vz <= 0 || r.vz <= 0) return -1;
    const Vertex* v[3] = {&p, &q, &r};
    int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
    for (const Vertex* c : v) {
        minX = std::min(minX, c->sx);
        maxX = std::max(maxX, c->sx);
        minY = std::min(minY, c->sy);
        maxY = std::max(maxY, c->sy);
    }
    if (x < minX || x > maxX || y < minY || y > maxY) return -1;
    if (!doubleSided && !facesViewer(p, q, r)) return -1;
    // The triangle's span on row y, from its edges.
    int64_t left = INT64_MAX, right = INT64_MIN;
    for (int e = 0; e < 3; ++e) {
        const Vertex& a = *v[e];
        const Vertex& b = *v[(e + 1) % 3];
        if (a.sy == b.sy) {
            if (a.sy == y) {
                left = std::min<int64_t>({left, a.sx, b.sx});
                right = std::max<int64_t>({right, a.sx, b.sx});
            }
            continue;
        }
        if (y < std::min(a.sy, b.sy) || y > std::max(a.sy, b.sy)) continue;
        int64_t xi = a.sx + (int64_t(y) - a.sy) * (int64_t(b.sx) - a.sx) / (int64_t(b.sy) - a.sy);
        left = std::min(left, xi);
        right = std::max(right, xi);
    }
    if (left > right || x < left || x > right) return -1;
    return (int64_t(p.vz) + q.vz + r.vz) / 3;
}

PickResult clickPick(const ModelObject& object, int x, int y, int limit)
{
    PickResult best;
    const int vertexCount = object.vertices.count();
    for (int p = object.partList.count() - 1; p >= 0; --p) {
        const ModelPart* part = object.partList[p];
        bool partHit = false;
        int64_t partValue = -1;
        const Face* partFace = nullptr;
        for (const Face& f : part->faces) {
            if (!validFace(f, vertexCount)) continue;
            int32_t tri[2][3];
            int n = pickTriangles(f, tri);
            int64_t value = -1;
            for (int t = 0; t < n; ++t) {
                int64_t h = triangleHit(object.vertices[tri[t][0]], object.vertices[tri[t][1]],
                                        object.vertices[tri[t][2]], f.doubleSided, x, y);
                if (h >= limit) continue; // only what lies behind the last pick
                value = std::max(value, h);
            }
            if (value >= 0 && (!partHit || value > partValue)) {
                partHit = true;
                partValue = value;
                partFace = &f;
            }
        }
        if (partHit && (!best.hit || partValue > best.value)) {
            best.hit = true;
            best.value = int(partValue);
            for (int k = 0; k < 4; ++k) best.face.c[k] = partFace->index(k);
        }
    }
    if (!best.hit) return best;
    int bestDistance = INT_MAX;
    for (int k = 0; k < 4; ++k) {
        const Vertex& v = object.vertices[best.face.c[k]];
        int d = std::abs(v.sx - x) + std::abs(v.sy - y);
        if (d < bestDistance) {
            bestDistance = d;
            best.point = best.face.c[k];
        }
    }
    return best;
}

bool applyClick(EditorState& state, int x, int y)
{
    if (!state.currentobject) return false;
    PickResult r = clickPick(*state.currentobject, x, y, state.picklimit);
    if (!r.hit) return false;
    state.pickface = r.face;
    state.picklimit = r.value;
    state.pickpoint = r.point;
    return true;
}

namespace {

int grid(float v) { return truncToInt(v / dt); }

std::string line(int a, int b, int c, int point, const std::string& toolname)
{
    char text[256];
    std::snprintf(text, sizeof text, "%8d %8d %8d  %8d %s", a, b, c, point, toolname.c_str());
    return text;
}

} // namespace

std::string statusLine(const EditorState& s, const ModelDocument& document)
{
    const ModelObject* o = s.currentobject;
    switch (s.mode) {
    case modeCamera:
        return line(grid(document.position[0]), grid(document.position[1]), grid(document.position[2]),
                    s.pickpoint, s.toolname);
    case modeObject:
        if (!o) break;
        return line(grid(o->position[0]), grid(o->position[1]), grid(o->position[2]), s.pickpoint, s.toolname);
    case modePart:
    case modePartGeometry:
        if (!s.currentpart) break;
        return line(grid(s.currentpart->position[0]), grid(s.currentpart->position[1]),
                    grid(s.currentpart->position[2]), s.pickpoint, s.toolname);
    case modePoint: {
        const Vertex* v = o ? o->vertices.at(s.pickpoint) : nullptr;
        if (!v) return "-------- -------- --------  --------           ";
        return line(grid(v->x), grid(v->y), grid(v->z), s.pickpoint, s.toolname);
    }
    case modeTexture: {
        const Texture* t = o ? o->textures.at(s.currenttexture) : nullptr;
        if (!t) return "-------- --------  -------- --------   ----  ----------";
        char text[512];
        std::snprintf(text, sizeof text, "%8d %8d  %8d %8d  %s  %s    ", int((int64_t(t->x0) + t->x1) / 2),
                      int((int64_t(t->y0) + t->y1) / 2), int(int64_t(t->x1) - t->x0), int(int64_t(t->y1) - t->y0),
                      t->name, s.toolname.c_str());
        return text;
    }
    default: break;
    }
    return "";
}

} // namespace quillo
