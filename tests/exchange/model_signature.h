// What an exchange round trip must keep of a model, as sorted text lines:
// every part (by its path of names) with its faces as the triangles the
// renderer draws (corners as grid points, from the lowest corner on), the
// colour values and face settings; and every object's used grid points.
// Vertex numbering, the corner a quad starts at and textures may change.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "model/model.h"

namespace quillo::test {

inline std::string gridPoint(const Vertex& v)
{
    char text[64];
    std::snprintf(text, sizeof text, "(%d %d %d)", int(std::trunc(v.x / dt)), int(std::trunc(v.y / dt)),
                  int(std::trunc(v.z / dt)));
    return text;
}

inline std::string drawnTriangles(const ModelObject& o, const Face& f)
{
    static const int corners[2][2][3] = {{{0, 1, 3}, {1, 2, 3}}, {{0, 1, 2}, {0, 2, 3}}};
    std::vector<std::string> out;
    for (const auto& t : corners[f.altDiagonal ? 1 : 0]) {
        const int32_t v[3] = {f.index(t[0]), f.index(t[1]), f.index(t[2])};
        if (v[0] == v[1] || v[1] == v[2] || v[0] == v[2]) continue;
        std::array<std::string, 3> p = {gridPoint(o.vertices[v[0]]), gridPoint(o.vertices[v[1]]),
                                        gridPoint(o.vertices[v[2]])};
        while (p[0] > p[1] || p[0] > p[2]) std::rotate(p.begin(), p.begin() + 1, p.end()); // keep the winding
        out.push_back(p[0] + p[1] + p[2]);
    }
    std::sort(out.begin(), out.end());
    std::string text;
    for (const std::string& s : out) text += s;
    return text;
}

inline void signature(const ModelObject& o, const std::string& path, std::vector<std::string>& lines);

inline void signature(const ModelObject& o, const ModelPart& p, const std::string& path,
                      std::vector<std::string>& lines)
{
    const std::string here = path + "/" + p.name;
    char pivot[96];
    std::snprintf(pivot, sizeof pivot, " pivot %d %d %d", int(std::lround(p.position[0] / dt)),
                  int(std::lround(p.position[1] / dt)), int(std::lround(p.position[2] / dt)));
    lines.push_back(here + pivot);
    for (const Face& f : p.faces) {
        const Material* m = o.materials.at(f.material);
        if (!m) continue;
        char colour[128];
        std::snprintf(colour, sizeof colour, " colour %d %d %d %g %g %g d%d s%d", m->red, m->green, m->blue,
                      double(m->ambient), double(m->diffuse), double(m->specular), f.doubleSided && !f.twistFix,
                      f.twistFix);
        lines.push_back(here + " face " + drawnTriangles(o, f) + colour);
    }
    for (const ModelPart* c : p.children) signature(o, *c, here, lines);
    for (const ModelObject* e : p.objects) signature(*e, here, lines);
}

inline void signature(const ModelObject& o, const std::string& path, std::vector<std::string>& lines)
{
    const std::string here = path + "/" + o.name;
    char place[96];
    std::snprintf(place, sizeof place, " at %d %d %d", int(std::lround(o.position[0] / dt)),
                  int(std::lround(o.position[1] / dt)), int(std::lround(o.position[2] / dt)));
    lines.push_back(here + place);
    std::set<int32_t> used;
    PointerList<ModelPart> parts;
    collectParts(o.rootPart, parts);
    for (const ModelPart* p : parts)
        for (const Face& f : p->faces)
            for (int k = 0; k < 4; ++k) used.insert(f.index(k));
    std::multiset<std::string> points;
    for (int32_t i : used) points.insert(gridPoint(o.vertices[i]));
    for (const std::string& point : points) lines.push_back(here + " point " + point);
    signature(o, *o.rootPart, here, lines);
}

inline std::vector<std::string> signature(const ModelDocument& d)
{
    std::vector<std::string> lines;
    for (const ModelObject* o : d.objects) signature(*o, "", lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Quads (four distinct corners) of an object tree.
inline int quadCount(const ModelDocument& d)
{
    int count = 0;
    std::vector<const ModelObject*> objects(d.objects.begin(), d.objects.end());
    while (!objects.empty()) {
        const ModelObject* o = objects.back();
        objects.pop_back();
        PointerList<ModelPart> parts;
        collectParts(o->rootPart, parts);
        for (const ModelPart* p : parts) {
            for (const Face& f : p->faces) {
                std::set<int32_t> c = {f.vertexA, f.vertexB, f.vertexC, f.vertexD};
                count += c.size() == 4;
            }
            for (const ModelObject* e : p->objects) objects.push_back(e);
        }
    }
    return count;
}

} // namespace quillo::test
