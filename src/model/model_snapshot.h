// A copy of a document's model data (names, poses, vertex positions, faces,
// colours, textures and the grid step), kept for undo. Tables are cut into
// chunks of fixed size that a snapshot shares with the one taken before it
// wherever their records are equal, so a small edit of a large model costs
// one chunk, not a copy of the model. The smoothed vertex normals are kept
// beside the positions: they are costly to recompute (every face of the
// object), so a restore writes them back with the points instead; they do
// not count as a change of the model. Other renderer working state (screen positions, polygons, loaded pattern
// images, the shown pattern) is rebuilt after a restore.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model.h"

namespace quillo {

// Records per chunk: small enough that one point move copies little,
// large enough that a million-face table is a few hundred chunk pointers.
constexpr int snapshotChunkRecords = 4096;

template <class T>
struct SharedTable {
    std::vector<std::shared_ptr<const std::vector<T>>> chunks;
    int32_t count = 0;
};

// The model data of a vertex.
struct VertexData {
    float x, y, z;
    int32_t flagA, flagB;
};

// The smoothed normal of a vertex as the renderer computed it when the
// snapshot was taken. Not model data: a change of it alone makes no step.
struct VertexNormal {
    float nx, ny, nz;
};

// A texture record without its loaded images and display state.
struct TextureData {
    char files[maxPatterns][pathSize];
    int32_t patternCount;
    int32_t red, green, blue;
    float ambient, diffuse, specular;
    int32_t plane;
    char name[256];
    int32_t x0, y0, x1, y1;
};

struct NodePose {
    float position[3];
    float angles[3];
};

struct ObjectSnapshot;

struct PartSnapshot {
    std::string name;
    NodePose pose{};
    SharedTable<Face> faces;
    std::vector<PartSnapshot> children;
    std::vector<ObjectSnapshot> objects;
};

struct ObjectSnapshot {
    std::string name;
    NodePose pose{};
    SharedTable<VertexData> vertices;
    SharedTable<VertexNormal> normals; // one per vertex, cut into the same chunks
    SharedTable<Material> materials; // shade is kept at 0: prepare recomputes it
    SharedTable<TextureData> textures;
    PartSnapshot root;
};

struct DocumentSnapshot {
    std::vector<ObjectSnapshot> objects; // top-level objects in document order
    float gridStep = defaultGridStep;
};

// The document's model data now. Chunks equal to those of `previous` at the
// same place of the tree are shared with it. `changed` (if given) says
// whether anything differs from `previous` (always true without one).
DocumentSnapshot takeSnapshot(const ModelDocument& document, const DocumentSnapshot* previous = nullptr,
                              bool* changed = nullptr);

// Bytes of chunk data that `snapshot` holds and `previous` does not share
// (all of them without `previous`), plus the size of its tree records.
size_t snapshotOwnBytes(const DocumentSnapshot& snapshot, const DocumentSnapshot* previous);

// The chunks of an object's vertex table that a restore wrote back in
// place (positions and flags, or normals); the renderer's grid coordinates of
// those vertices are stale until the caller refreshes them.
struct RestoredVertices {
    ModelObject* object = nullptr;
    std::vector<int> chunks; // chunk k holds vertices k * snapshotChunkRecords on
};

// What a restore changed, so the caller refreshes no more than needed.
struct RestoreResult {
    bool rebuilt = false;         // the objects were made anew from the snapshot
    bool needsRedraw = false;     // faces, colours, textures, names or the tree changed
    bool posesChanged = false;    // object or part positions or angles changed
    bool gridStepChanged = false; // the global dt changed
    std::vector<RestoredVertices> movedVertices; // objects whose vertex positions or normals changed
};

// Makes the document hold `target`'s model data and sets the global dt.
// `current` must be the snapshot the document holds now: where both have
// the same tree and table sizes, only chunks that differ are written back
// in place; otherwise every object is made anew (and pointers to the old
// objects and parts become invalid).
RestoreResult restoreSnapshot(ModelDocument& document, const DocumentSnapshot& target,
                              const DocumentSnapshot& current);

} // namespace quillo
