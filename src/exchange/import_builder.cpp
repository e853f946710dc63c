#include "import_builder.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "model/text_util.h"

namespace quillo {

namespace {

struct Vec {
    double x, y, z;
};

Vec at(const Records<Vertex>& vertices, int32_t i)
{
    const Vertex& v = vertices[i];
    return {v.x, v.y, v.z};
}
Vec sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double length(Vec a) { return std::sqrt(dot(a, a)); }

bool degenerate(const ImportTriangle& t) { return t.v[0] == t.v[1] || t.v[1] == t.v[2] || t.v[0] == t.v[2]; }

bool sameSettings(const ImportTriangle& a, const ImportTriangle& b)
{
    return a.material == b.material && a.doubleSided == b.doubleSided && a.twistFix == b.twistFix;
}

// Where `b` has the edge y->x for some edge x->y of `a`: `ka` is the corner
// of `a` before its shared edge (a = (ka, x, y) rotated) and `kb` the corner
// of `b` opposite it. False when they share no such edge.
bool sharedEdge(const ImportTriangle& a, const ImportTriangle& b, int& ka, int& kb)
{
    for (int i = 0; i < 3; ++i) {
        const int32_t x = a.v[(i + 1) % 3], y = a.v[(i + 2) % 3];
        for (int j = 0; j < 3; ++j)
            if (b.v[j] == y && b.v[(j + 1) % 3] == x) {
                ka = i;
                kb = (j + 2) % 3;
                return true;
            }
    }
    return false;
}

// Both triangles in one plane and facing the same way.
bool coplanar(const Records<Vertex>& vertices, const ImportTriangle& a, int32_t fourth)
{
    const Vec p = at(vertices, a.v[0]), q = at(vertices, a.v[1]), r = at(vertices, a.v[2]);
    const Vec n = cross(sub(q, p), sub(r, p));
    const double area = length(n);
    if (area <= 0) return false;
    const Vec w = at(vertices, fourth);
    const double size = std::max({length(sub(q, p)), length(sub(r, p)), length(sub(w, p))});
    // Distance of the fourth corner from the plane, against the model's grid step.
    const double distance = std::fabs(dot(sub(w, p), n)) / area;
    return distance <= std::max(1e-4 * size, 1e-3 * double(dt));
}

} // namespace

std::vector<Face> pairTriangles(const std::vector<ImportTriangle>& triangles, const Records<Vertex>& vertices)
{
    std::vector<Face> faces;
    std::vector<bool> used(triangles.size(), false);
    auto facing = [&](const ImportTriangle& a, const ImportTriangle& b) {
        const Vec pa = at(vertices, a.v[0]), pb = at(vertices, b.v[0]);
        const Vec na = cross(sub(at(vertices, a.v[1]), pa), sub(at(vertices, a.v[2]), pa));
        const Vec nb = cross(sub(at(vertices, b.v[1]), pb), sub(at(vertices, b.v[2]), pb));
        return dot(na, nb) > 0;
    };
    auto tryPair = [&](size_t i, size_t j) {
        const ImportTriangle& a = triangles[i];
        const ImportTriangle& b = triangles[j];
        int ka = 0, kb = 0;
        if (used[j] || degenerate(b) || !sameSettings(a, b) || !sharedEdge(a, b, ka, kb)) return false;
        const int32_t x = a.v[ka], y = a.v[(ka + 1) % 3], z = a.v[(ka + 2) % 3], w = b.v[kb];
        if (w == x || !coplanar(vertices, a, w) || !facing(a, b)) return false;
        faces.push_back(Face{x, y, w, z, a.doubleSided, 0, a.material, a.twistFix});
        used[i] = used[j] = true;
        return true;
    };
    for (size_t i = 0; i < triangles.size(); ++i) {
        if (used[i] || degenerate(triangles[i])) continue;
        bool paired = i + 1 < triangles.size() && tryPair(i, i + 1);
        for (size_t j = i + 2; !paired && j < triangles.size(); ++j) paired = tryPair(i, j);
        if (paired) continue;
        // From its lowest corner, so one triangle always gives the same face.
        const ImportTriangle& t = triangles[i];
        const int k = t.v[0] <= t.v[1] && t.v[0] <= t.v[2] ? 0 : t.v[1] <= t.v[2] ? 1 : 2;
        const int32_t p = t.v[k], q = t.v[(k + 1) % 3], r = t.v[(k + 2) % 3];
        used[i] = true;
        faces.push_back(Face{p, p, q, r, t.doubleSided, 0, t.material, t.twistFix});
    }
    return faces;
}

int32_t ObjectBuilder::vertex(double x, double y, double z)
{
    const double step = double(dt);
    // Beyond a billion grid units a point has no place in a model file (its grid numbers are 32-bit).
    const double limit = 1e9;
    if (!(std::fabs(x / step) < limit && std::fabs(y / step) < limit && std::fabs(z / step) < limit)) return -1;
    const std::array<int64_t, 3> g = {int64_t(std::llround(x / step)), int64_t(std::llround(y / step)),
                                      int64_t(std::llround(z / step))};
    if (auto it = grid_.find(g); it != grid_.end()) return it->second;
    const Vertex v = makeVertex(snap(float(double(g[0]) * step)), snap(float(double(g[1]) * step)),
                                snap(float(double(g[2]) * step)));
    const int32_t index = object_.vertices.append(v);
    if (index >= 0) grid_.emplace(g, index);
    return index;
}

int32_t ObjectBuilder::material(int red, int green, int blue, float ambient, float diffuse, float specular)
{
    Material m = defaultMaterial();
    m.red = std::clamp(red, 0, 255);
    m.green = std::clamp(green, 0, 255);
    m.blue = std::clamp(blue, 0, 255);
    m.ambient = ambient;
    m.diffuse = diffuse;
    m.specular = specular;
    m.texture = -1;
    m.shade = 0;
    for (int i = 0; i < object_.materials.count(); ++i)
        if (object_.materials[i].texture < 0 && sameColour(object_.materials[i], m)) return i;
    return object_.materials.append(m);
}

int ObjectBuilder::addTriangles(ModelPart& part, const std::vector<ImportTriangle>& triangles)
{
    return addFaces(part, pairTriangles(triangles, object_.vertices));
}

int ObjectBuilder::addFaces(ModelPart& part, const std::vector<Face>& faces)
{
    // The same face twice (equal after a cyclic rotation) is kept once, as the model reader does.
    auto canonical = [](const Face& f) {
        std::array<int32_t, 4> best = {f.vertexA, f.vertexB, f.vertexC, f.vertexD};
        for (int r = 1; r < 4; ++r) {
            const std::array<int32_t, 4> turned = {f.index(r), f.index((r + 1) % 4), f.index((r + 2) % 4),
                                                   f.index((r + 3) % 4)};
            best = std::min(best, turned);
        }
        return best;
    };
    std::set<std::array<int32_t, 4>> known;
    for (const Face& g : part.faces) known.insert(canonical(g));
    int added = 0;
    for (const Face& f : faces)
        if (known.insert(canonical(f)).second && part.faces.append(f) >= 0) ++added;
    return added;
}

void setImportName(char* field, const std::string& text, const char* fallback, int number)
{
    std::string word = text;
    for (char& c : word)
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') c = '_';
    if (word.empty()) word = std::string(fallback) + std::to_string(number);
    copyToField(field, nameSize, word);
}

} // namespace quillo
