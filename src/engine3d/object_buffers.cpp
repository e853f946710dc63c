#include "object_buffers.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace quillo::engine3d {

namespace {

struct Triangle {
    int32_t material;
    int32_t v[3];
};

bool bridging(const OBJCT& o, const int32_t* v)
{
    const MatrixHandle a = o.vertices[v[0]].owner;
    return o.vertices[v[1]].owner != a || o.vertices[v[2]].owner != a;
}

// Splits the chosen triangles into runs of at most `limit` distinct
// (material, vertex) copies, materials in table order.
std::vector<std::vector<Triangle>> splitIntoBatches(const OBJCT& o, const MaterialTriangles& all, bool bridges,
                                                    uint32_t limit)
{
    std::vector<std::vector<Triangle>> batches(1);
    std::unordered_set<uint64_t> copies;
    for (size_t m = 0; m < all.size(); ++m)
        for (size_t i = 0; i + 2 < all[m].size(); i += 3) {
            Triangle t{int32_t(m), {all[m][i], all[m][i + 1], all[m][i + 2]}};
            if (bridging(o, t.v) != bridges) continue;
            uint32_t added = 0;
            for (int k = 0; k < 3; ++k)
                added += copies.count(uint64_t(m) << 32 | uint32_t(t.v[k])) == 0 &&
                         std::find(t.v, t.v + k, t.v[k]) == t.v + k;
            if (!batches.back().empty() && copies.size() + added > limit) {
                batches.emplace_back();
                copies.clear();
            }
            for (int k = 0; k < 3; ++k) copies.insert(uint64_t(m) << 32 | uint32_t(t.v[k]));
            batches.back().push_back(t);
        }
    if (batches.back().empty()) batches.pop_back();
    return batches;
}

DeviceVertex deviceVertex(const OBJCT& o, int32_t material, int32_t index)
{
    const Vertex& v = o.vertices[index];
    DeviceVertex d{v.x, v.y, v.z, v.nx, v.ny, v.nz, 0.0f, 0.0f};
    const TextureEntry* t = o.textures.at(o.materials[material].texture);
    if (t) textureCoordinates(*t, v.x, v.y, v.z, d.u, d.v);
    return d;
}

TriangleList listFor(const OBJCT& o, int32_t material)
{
    TriangleList list;
    list.material = o.materials[material].handle;
    const TextureEntry* t = o.textures.at(o.materials[material].texture);
    list.texture = t ? t->handle : 0;
    return list;
}

// One batch: per material, the vertex copies grouped by owner (groups in
// order of first use), or in one identity group for bridging triangles.
ExecuteBatch layOut(const OBJCT& o, const std::vector<Triangle>& tris, MatrixHandle identity, bool bridges,
                    std::vector<MatrixHandle>* owners)
{
    ExecuteBatch batch;
    for (size_t start = 0; start < tris.size();) {
        const int32_t m = tris[start].material;
        size_t end = start;
        while (end < tris.size() && tris[end].material == m) ++end;
        TriangleList list = listFor(o, m);
        std::vector<MatrixHandle> ownerOrder;
        std::unordered_map<MatrixHandle, std::vector<int32_t>> byOwner;
        std::unordered_map<int32_t, uint32_t> slot; // object vertex -> batch vertex
        for (size_t i = start; i < end; ++i)
            for (int32_t v : tris[i].v) {
                if (slot.count(v)) continue;
                slot[v] = 0;
                const MatrixHandle owner = bridges ? identity : o.vertices[v].owner;
                auto [it, fresh] = byOwner.try_emplace(owner);
                if (fresh) ownerOrder.push_back(owner);
                it->second.push_back(v);
            }
        for (MatrixHandle owner : ownerOrder) {
            VertexGroup g{owner, uint32_t(batch.vertices.size()), 0};
            for (int32_t v : byOwner[owner]) {
                slot[v] = uint32_t(batch.vertices.size());
                batch.vertices.push_back(deviceVertex(o, m, v));
                if (owners) owners->push_back(o.vertices[v].owner);
                ++g.count;
            }
            list.groups.push_back(g);
        }
        for (size_t i = start; i < end; ++i)
            for (int32_t v : tris[i].v) list.indices.push_back(uint16_t(slot[v]));
        batch.lists.push_back(std::move(list));
        start = end;
    }
    return batch;
}

} // namespace

MaterialTriangles collectTriangles(const OBJCT& object)
{
    MaterialTriangles out(size_t(object.materials.count()));
    static const int corners[2][2][3] = {{{0, 1, 3}, {1, 2, 3}}, {{0, 1, 2}, {0, 2, 3}}};
    for (const PART* part : object.partList)
        for (const Face& f : part->faces) {
            if (f.material < 0 || f.material >= object.materials.count()) continue;
            std::vector<int32_t>& list = out[size_t(f.material)];
            for (const auto& c : corners[f.altDiagonal == 1 ? 1 : 0]) {
                const int32_t a = f.index(c[0]), b = f.index(c[1]), d = f.index(c[2]);
                if (a == b || b == d || a == d) continue;
                list.insert(list.end(), {a, b, d});
                if (f.doubleSided) list.insert(list.end(), {a, d, b});
            }
        }
    return out;
}

uint32_t batchVertexLimit(uint32_t deviceMaximum)
{
    const uint32_t cap = deviceMaximum == 0 ? 65536u : std::min(deviceMaximum, 65536u);
    return cap > 3 ? cap - 3 : 1;
}

void setexbuff(OBJCT& object, const MaterialTriangles& triangles, uint32_t deviceMaximum)
{
    object.exbc.reset();
    std::unique_ptr<EXBC>* tail = &object.exbc;
    for (const auto& tris : splitIntoBatches(object, triangles, false, batchVertexLimit(deviceMaximum))) {
        *tail = std::make_unique<EXBC>();
        (*tail)->batch = layOut(object, tris, 0, false, nullptr);
        tail = &(*tail)->next;
    }
}

void setexbuff2(OBJCT& object, const MaterialTriangles& triangles, uint32_t deviceMaximum, MatrixHandle identity)
{
    object.exbc2.reset();
    std::unique_ptr<EXBC2>* tail = &object.exbc2;
    for (const auto& tris : splitIntoBatches(object, triangles, true, batchVertexLimit(deviceMaximum))) {
        *tail = std::make_unique<EXBC2>();
        (*tail)->batch = layOut(object, tris, identity, true, &(*tail)->owners);
        (*tail)->source = (*tail)->batch.vertices;
        tail = &(*tail)->next;
    }
}

} // namespace quillo::engine3d
