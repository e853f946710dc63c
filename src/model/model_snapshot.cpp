#include "model_snapshot.h"

#include <algorithm>
#include <cstring>

namespace quillo {

namespace {

VertexData vertexData(const Vertex& v) { return VertexData{v.x, v.y, v.z, v.flagA, v.flagB}; }

VertexNormal normalOf(const Vertex& v) { return VertexNormal{v.nx, v.ny, v.nz}; }

Material materialData(const Material& m)
{
    Material out = m;
    out.shade = 0;
    return out;
}

TextureData textureData(const Texture& t)
{
    TextureData d;
    std::memset(&d, 0, sizeof d); // no stray bytes: records are compared as bytes
    std::memcpy(d.files, t.files, sizeof d.files);
    d.patternCount = t.patternCount;
    d.red = t.red;
    d.green = t.green;
    d.blue = t.blue;
    d.ambient = t.ambient;
    d.diffuse = t.diffuse;
    d.specular = t.specular;
    d.plane = t.plane;
    std::memcpy(d.name, t.name, sizeof d.name);
    d.x0 = t.x0;
    d.y0 = t.y0;
    d.x1 = t.x1;
    d.y1 = t.y1;
    return d;
}

NodePose poseOf(const ModelNode& n)
{
    NodePose p;
    std::memcpy(p.position, n.position, sizeof p.position);
    std::memcpy(p.angles, n.angles, sizeof p.angles);
    return p;
}

bool samePose(const NodePose& a, const NodePose& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Records of the table from `records`, converted by `data`; each chunk equal
// to the one at the same place of `previous` is shared with it.
template <class T, class Source, class Convert>
SharedTable<T> chunked(const Records<Source>& records, const SharedTable<T>* previous, Convert data, bool& changed)
{
    SharedTable<T> out;
    out.count = records.count();
    if (!previous || previous->count != out.count) changed = true;
    std::vector<T> chunk;
    for (int first = 0; first < out.count; first += snapshotChunkRecords) {
        const int n = std::min(snapshotChunkRecords, out.count - first);
        chunk.resize(size_t(n));
        for (int i = 0; i < n; ++i) chunk[size_t(i)] = data(records[first + i]);
        const size_t k = size_t(first / snapshotChunkRecords);
        if (previous && k < previous->chunks.size()) {
            const auto& old = previous->chunks[k];
            if (old->size() == chunk.size() && std::memcmp(old->data(), chunk.data(), chunk.size() * sizeof(T)) == 0) {
                out.chunks.push_back(old);
                continue;
            }
        }
        changed = true;
        out.chunks.push_back(std::make_shared<const std::vector<T>>(chunk));
    }
    return out;
}

const ObjectSnapshot* nth(const std::vector<ObjectSnapshot>* list, size_t i)
{
    return list && i < list->size() ? &(*list)[i] : nullptr;
}

ObjectSnapshot objectSnapshot(const ModelObject& o, const ObjectSnapshot* previous, bool& changed);

PartSnapshot partSnapshot(const ModelPart& p, const PartSnapshot* previous, bool& changed)
{
    PartSnapshot s;
    s.name = p.name;
    s.pose = poseOf(p);
    if (!previous || previous->name != s.name || !samePose(previous->pose, s.pose)) changed = true;
    s.faces = chunked(p.faces, previous ? &previous->faces : nullptr, [](const Face& f) { return f; }, changed);
    if (!previous || previous->children.size() != size_t(p.children.count()) ||
        previous->objects.size() != size_t(p.objects.count()))
        changed = true;
    for (int i = 0; i < p.children.count(); ++i) {
        const PartSnapshot* old = previous && size_t(i) < previous->children.size() ? &previous->children[size_t(i)] : nullptr;
        s.children.push_back(partSnapshot(*p.children[i], old, changed));
    }
    for (int i = 0; i < p.objects.count(); ++i)
        s.objects.push_back(objectSnapshot(*p.objects[i], nth(previous ? &previous->objects : nullptr, size_t(i)), changed));
    return s;
}

ObjectSnapshot objectSnapshot(const ModelObject& o, const ObjectSnapshot* previous, bool& changed)
{
    ObjectSnapshot s;
    s.name = o.name;
    s.pose = poseOf(o);
    if (!previous || previous->name != s.name || !samePose(previous->pose, s.pose)) changed = true;
    s.vertices = chunked(o.vertices, previous ? &previous->vertices : nullptr, vertexData, changed);
    bool normalsChanged = false; // derived from the rest: no change of the model by itself
    s.normals = chunked(o.vertices, previous ? &previous->normals : nullptr, normalOf, normalsChanged);
    s.materials = chunked(o.materials, previous ? &previous->materials : nullptr, materialData, changed);
    s.textures = chunked(o.textures, previous ? &previous->textures : nullptr, textureData, changed);
    s.root = partSnapshot(*o.rootPart, previous ? &previous->root : nullptr, changed);
    return s;
}

template <class T>
size_t ownTableBytes(const SharedTable<T>& t, const SharedTable<T>* previous)
{
    size_t bytes = t.chunks.size() * sizeof(t.chunks[0]);
    for (size_t k = 0; k < t.chunks.size(); ++k)
        if (!previous || k >= previous->chunks.size() || previous->chunks[k] != t.chunks[k])
            bytes += t.chunks[k]->size() * sizeof(T);
    return bytes;
}

size_t ownObjectBytes(const ObjectSnapshot& o, const ObjectSnapshot* previous);

size_t ownPartBytes(const PartSnapshot& p, const PartSnapshot* previous)
{
    size_t bytes = sizeof p + p.name.capacity() + ownTableBytes(p.faces, previous ? &previous->faces : nullptr);
    for (size_t i = 0; i < p.children.size(); ++i)
        bytes += ownPartBytes(p.children[i], previous && i < previous->children.size() ? &previous->children[i] : nullptr);
    for (size_t i = 0; i < p.objects.size(); ++i)
        bytes += ownObjectBytes(p.objects[i], nth(previous ? &previous->objects : nullptr, i));
    return bytes;
}

size_t ownObjectBytes(const ObjectSnapshot& o, const ObjectSnapshot* previous)
{
    return sizeof o + o.name.capacity() + ownTableBytes(o.vertices, previous ? &previous->vertices : nullptr) +
           ownTableBytes(o.normals, previous ? &previous->normals : nullptr) +
           ownTableBytes(o.materials, previous ? &previous->materials : nullptr) +
           ownTableBytes(o.textures, previous ? &previous->textures : nullptr) +
           ownPartBytes(o.root, previous ? &previous->root : nullptr);
}

// --- restoring ---

template <class T>
bool sameShape(const SharedTable<T>& a, const SharedTable<T>& b)
{
    return a.count == b.count;
}

bool sameShape(const ObjectSnapshot& a, const ObjectSnapshot& b);

bool sameShape(const PartSnapshot& a, const PartSnapshot& b)
{
    if (!sameShape(a.faces, b.faces) || a.children.size() != b.children.size() || a.objects.size() != b.objects.size())
        return false;
    for (size_t i = 0; i < a.children.size(); ++i)
        if (!sameShape(a.children[i], b.children[i])) return false;
    for (size_t i = 0; i < a.objects.size(); ++i)
        if (!sameShape(a.objects[i], b.objects[i])) return false;
    return true;
}

bool sameShape(const ObjectSnapshot& a, const ObjectSnapshot& b)
{
    return sameShape(a.vertices, b.vertices) && sameShape(a.materials, b.materials) &&
           sameShape(a.textures, b.textures) && sameShape(a.root, b.root);
}

void writeVertex(Vertex& v, const VertexData& d)
{
    v.x = d.x;
    v.y = d.y;
    v.z = d.z;
    v.flagA = d.flagA;
    v.flagB = d.flagB;
}

void writeNormal(Vertex& v, const VertexNormal& n)
{
    v.nx = n.nx;
    v.ny = n.ny;
    v.nz = n.nz;
}

void writeMaterial(Material& m, const Material& d) { m = d; }

void writeTexture(Texture& t, const TextureData& d)
{
    std::memcpy(t.files, d.files, sizeof t.files);
    t.patternCount = d.patternCount;
    t.red = d.red;
    t.green = d.green;
    t.blue = d.blue;
    t.ambient = d.ambient;
    t.diffuse = d.diffuse;
    t.specular = d.specular;
    t.plane = d.plane;
    std::memcpy(t.name, d.name, sizeof t.name);
    t.x0 = d.x0;
    t.y0 = d.y0;
    t.x1 = d.x1;
    t.y1 = d.y1;
}

void writeFace(Face& f, const Face& d) { f = d; }

// Writes the chunks of `target` that differ from `current` into `records`
// (of the same count); true when any did. `written` (if given) gets their numbers.
template <class T, class Live, class Write>
bool writeChangedChunks(Records<Live>& records, const SharedTable<T>& target, const SharedTable<T>& current, Write write,
                        std::vector<int>* written = nullptr)
{
    bool any = false;
    for (size_t k = 0; k < target.chunks.size(); ++k) {
        if (target.chunks[k] == current.chunks[k]) continue;
        any = true;
        if (written) written->push_back(int(k));
        const std::vector<T>& chunk = *target.chunks[k];
        const int first = int(k) * snapshotChunkRecords;
        for (size_t i = 0; i < chunk.size(); ++i) write(records[first + int(i)], chunk[i]);
    }
    return any;
}

void setName(char (&name)[nameSize], const std::string& text)
{
    std::memset(name, 0, sizeof name);
    std::memcpy(name, text.data(), std::min(text.size(), sizeof name - 1));
}

void applyPose(ModelNode& node, const NodePose& p)
{
    node.place(p.position[0], p.position[1], p.position[2], p.angles[0], p.angles[1], p.angles[2]);
}

void restoreObjectInPlace(ModelObject& o, const ObjectSnapshot& target, const ObjectSnapshot& current, RestoreResult& r);

void restorePartInPlace(ModelPart& p, const PartSnapshot& target, const PartSnapshot& current, RestoreResult& r)
{
    if (target.name != current.name) {
        setName(p.name, target.name);
        r.needsRedraw = true;
    }
    if (!samePose(target.pose, current.pose)) {
        applyPose(p, target.pose);
        r.posesChanged = true;
    }
    if (writeChangedChunks(p.faces, target.faces, current.faces, writeFace)) r.needsRedraw = true;
    for (size_t i = 0; i < target.children.size(); ++i)
        restorePartInPlace(*p.children[int(i)], target.children[i], current.children[i], r);
    for (size_t i = 0; i < target.objects.size(); ++i)
        restoreObjectInPlace(*p.objects[int(i)], target.objects[i], current.objects[i], r);
}

void restoreObjectInPlace(ModelObject& o, const ObjectSnapshot& target, const ObjectSnapshot& current, RestoreResult& r)
{
    if (target.name != current.name) {
        setName(o.name, target.name);
        r.needsRedraw = true;
    }
    if (!samePose(target.pose, current.pose)) {
        applyPose(o, target.pose);
        r.posesChanged = true;
    }
    RestoredVertices moved{&o, {}};
    writeChangedChunks(o.vertices, target.vertices, current.vertices, writeVertex, &moved.chunks);
    writeChangedChunks(o.vertices, target.normals, current.normals, writeNormal, &moved.chunks);
    if (!moved.chunks.empty()) {
        std::sort(moved.chunks.begin(), moved.chunks.end());
        moved.chunks.erase(std::unique(moved.chunks.begin(), moved.chunks.end()), moved.chunks.end());
        r.movedVertices.push_back(std::move(moved));
    }
    if (writeChangedChunks(o.materials, target.materials, current.materials, writeMaterial)) r.needsRedraw = true;
    if (writeChangedChunks(o.textures, target.textures, current.textures, writeTexture)) r.needsRedraw = true;
    restorePartInPlace(*o.rootPart, target.root, current.root, r);
}

template <class T, class Live, class Make>
void fillTable(Records<Live>& records, const SharedTable<T>& table, Make make)
{
    records.reset();
    for (const auto& chunk : table.chunks)
        for (const T& d : *chunk) records.append(make(d));
}

ModelObject* buildObject(const ObjectSnapshot& s, bool topLevel);

void buildPart(ModelPart& p, const PartSnapshot& s)
{
    setName(p.name, s.name);
    applyPose(p, s.pose);
    fillTable(p.faces, s.faces, [](const Face& f) { return f; });
    for (const PartSnapshot& c : s.children) {
        auto* child = new ModelPart(true);
        buildPart(*child, c);
        p.children.append(child);
    }
    for (const ObjectSnapshot& o : s.objects) p.objects.append(buildObject(o, false));
}

ModelObject* buildObject(const ObjectSnapshot& s, bool topLevel)
{
    auto* o = new ModelObject(topLevel);
    setName(o->name, s.name);
    applyPose(*o, s.pose);
    fillTable(o->vertices, s.vertices, [](const VertexData& d) {
        Vertex v = makeVertex(d.x, d.y, d.z);
        writeVertex(v, d);
        return v;
    });
    int i = 0;
    for (const auto& chunk : s.normals.chunks)
        for (const VertexNormal& n : *chunk)
            if (Vertex* v = o->vertices.at(i++)) writeNormal(*v, n);
    fillTable(o->materials, s.materials, [](const Material& m) { return m; });
    fillTable(o->textures, s.textures, [](const TextureData& d) {
        Texture t = makeTexture();
        writeTexture(t, d);
        return t;
    });
    buildPart(*o->rootPart, s.root);
    return o;
}

} // namespace

DocumentSnapshot takeSnapshot(const ModelDocument& document, const DocumentSnapshot* previous, bool* changed)
{
    bool any = !previous || previous->objects.size() != size_t(document.objects.count()) || previous->gridStep != dt;
    DocumentSnapshot s;
    s.gridStep = dt;
    for (int i = 0; i < document.objects.count(); ++i)
        s.objects.push_back(objectSnapshot(*document.objects[i], nth(previous ? &previous->objects : nullptr, size_t(i)), any));
    if (changed) *changed = any;
    return s;
}

size_t snapshotOwnBytes(const DocumentSnapshot& snapshot, const DocumentSnapshot* previous)
{
    size_t bytes = sizeof snapshot;
    for (size_t i = 0; i < snapshot.objects.size(); ++i)
        bytes += ownObjectBytes(snapshot.objects[i], nth(previous ? &previous->objects : nullptr, i));
    return bytes;
}

RestoreResult restoreSnapshot(ModelDocument& document, const DocumentSnapshot& target, const DocumentSnapshot& current)
{
    RestoreResult r;
    r.gridStepChanged = target.gridStep != dt;
    dt = target.gridStep;
    bool inPlace = target.objects.size() == current.objects.size() &&
                   current.objects.size() == size_t(document.objects.count());
    for (size_t i = 0; inPlace && i < target.objects.size(); ++i)
        inPlace = sameShape(target.objects[i], current.objects[i]);
    if (inPlace) {
        for (size_t i = 0; i < target.objects.size(); ++i)
            restoreObjectInPlace(*document.objects[int(i)], target.objects[i], current.objects[i], r);
        return r;
    }
    document.clearObjects();
    for (const ObjectSnapshot& o : target.objects) document.objects.append(buildObject(o, true));
    r.rebuilt = true;
    r.needsRedraw = true;
    r.posesChanged = true;
    return r;
}

} // namespace quillo
