#include "exchange_mesh.h"

#include "texture_fit.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace quillo {

namespace {

PlanarFit rectangleOf(const Texture& t) { return PlanarFit{t.plane, t.x0, t.y0, t.x1, t.y1}; }

// Whole texels from the rectangle's low edge, held to the picture, as a fraction of its size.
float coordinate(int32_t size, int32_t lo, int32_t hi, int32_t s)
{
    return size > 0 ? float(double(planarTexel(size, lo, hi, s)) / size) : 0.0f;
}

} // namespace

void partOrigin(const ModelPart& part, float origin[3])
{
    for (int k = 0; k < 3; ++k) origin[k] = part.child ? part.position[k] : 0.0f;
}

std::vector<MeshPrimitive> partPrimitives(const ModelObject& object, const ModelPart& part, const float origin[3])
{
    static const int corners[2][2][3] = {{{0, 1, 3}, {1, 2, 3}}, {{0, 1, 2}, {0, 2, 3}}};
    std::vector<MeshPrimitive> groups;
    std::vector<std::unordered_map<int32_t, uint32_t>> seen; // model vertex -> exported vertex, per group
    const int vertexCount = object.vertices.count();
    for (const Face& f : part.faces) {
        const Material* m = object.materials.at(f.material);
        if (!m) continue;
        bool inside = true;
        for (int k = 0; k < 4; ++k) inside = inside && f.index(k) >= 0 && f.index(k) < vertexCount;
        if (!inside) continue;
        const Texture* texture = object.textures.at(m->texture);
        for (const auto& tri : corners[f.altDiagonal ? 1 : 0]) {
            const int32_t v[3] = {f.index(tri[0]), f.index(tri[1]), f.index(tri[2])};
            if (v[0] == v[1] || v[1] == v[2] || v[0] == v[2]) continue;
            int32_t s[3], t[3];
            bool textured = false;
            if (texture) {
                for (int k = 0; k < 3; ++k) planeCoordinates(texture->plane, object.vertices[v[k]], s[k], t[k]);
                textured = touchesRectangle(rectangleOf(*texture), s, t);
            }
            size_t g = 0;
            const int32_t twist = f.twistFix ? 1 : 0, both = f.doubleSided && !twist ? 1 : 0;
            while (g < groups.size() && (groups[g].material != f.material || groups[g].textured != textured ||
                                         groups[g].doubleSided != both || groups[g].twistFix != twist))
                ++g;
            if (g == groups.size()) {
                groups.push_back(MeshPrimitive{f.material, textured, both, twist, {}, {}, {}, {}});
                seen.emplace_back();
            }
            MeshPrimitive& out = groups[g];
            for (int k = 0; k < 3; ++k) {
                auto [it, added] = seen[g].try_emplace(v[k], uint32_t(out.sourceVertex.size()));
                if (added) {
                    const Vertex& p = object.vertices[v[k]];
                    out.sourceVertex.push_back(v[k]);
                    out.positions.insert(out.positions.end(), {p.x - origin[0], p.y - origin[1], p.z - origin[2]});
                    if (textured)
                        out.uvs.insert(out.uvs.end(), {coordinate(texture->width, texture->x0, texture->x1, s[k]),
                                                       coordinate(texture->height, texture->y0, texture->y1, t[k])});
                }
                out.indices.push_back(it->second);
            }
        }
    }
    return groups;
}

bool faceTexture(const ModelObject& object, const Face& face, float uv[4][2])
{
    static const int corners[2][2][3] = {{{0, 1, 3}, {1, 2, 3}}, {{0, 1, 2}, {0, 2, 3}}};
    const Material* m = object.materials.at(face.material);
    const Texture* texture = m ? object.textures.at(m->texture) : nullptr;
    if (!texture) return false;
    int32_t s[4], t[4];
    for (int k = 0; k < 4; ++k) {
        const int32_t i = face.index(k);
        if (i < 0 || i >= object.vertices.count()) return false;
        planeCoordinates(texture->plane, object.vertices[i], s[k], t[k]);
        uv[k][0] = coordinate(texture->width, texture->x0, texture->x1, s[k]);
        uv[k][1] = coordinate(texture->height, texture->y0, texture->y1, t[k]);
    }
    bool covered = false;
    for (const auto& tri : corners[face.altDiagonal ? 1 : 0]) {
        const int32_t ts[3] = {s[tri[0]], s[tri[1]], s[tri[2]]}, tt[3] = {t[tri[0]], t[tri[1]], t[tri[2]]};
        covered = covered || touchesRectangle(rectangleOf(*texture), ts, tt);
    }
    return covered;
}

void nodeRotation(const ModelNode& node, double q[4])
{
    // Rows of the renderer's matrix act on row vectors; glTF's act on columns.
    double m[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) m[i][j] = node.local.m[j][i] / 2048.0;
    const double trace = m[0][0] + m[1][1] + m[2][2];
    if (trace > 0) {
        const double s = std::sqrt(trace + 1.0) * 2;
        q[3] = s / 4;
        q[0] = (m[2][1] - m[1][2]) / s;
        q[1] = (m[0][2] - m[2][0]) / s;
        q[2] = (m[1][0] - m[0][1]) / s;
    } else if (m[0][0] > m[1][1] && m[0][0] > m[2][2]) {
        const double s = std::sqrt(1.0 + m[0][0] - m[1][1] - m[2][2]) * 2;
        q[3] = (m[2][1] - m[1][2]) / s;
        q[0] = s / 4;
        q[1] = (m[0][1] + m[1][0]) / s;
        q[2] = (m[0][2] + m[2][0]) / s;
    } else if (m[1][1] > m[2][2]) {
        const double s = std::sqrt(1.0 + m[1][1] - m[0][0] - m[2][2]) * 2;
        q[3] = (m[0][2] - m[2][0]) / s;
        q[0] = (m[0][1] + m[1][0]) / s;
        q[1] = s / 4;
        q[2] = (m[1][2] + m[2][1]) / s;
    } else {
        const double s = std::sqrt(1.0 + m[2][2] - m[0][0] - m[1][1]) * 2;
        q[3] = (m[1][0] - m[0][1]) / s;
        q[0] = (m[0][2] + m[2][0]) / s;
        q[1] = (m[1][2] + m[2][1]) / s;
        q[2] = s / 4;
    }
    const double n = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    for (int k = 0; k < 4; ++k) q[k] = n > 0 ? q[k] / n : (k == 3 ? 1.0 : 0.0);
}

} // namespace quillo
