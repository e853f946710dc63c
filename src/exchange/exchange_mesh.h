// The model as other programs' files want it: each part a node whose
// origin is its pivot, and its faces as triangle lists grouped by colour,
// split along the diagonal the renderer uses, with the planar texture
// coordinates the renderer computes. Shared by the glTF and OBJ writers.
#pragma once

#include <cstdint>
#include <vector>

#include "model/model.h"

namespace quillo {

// One group of triangles of a part with one colour; `textured` when the
// colour's texture covers them (as the renderer decides per triangle).
struct MeshPrimitive {
    int material = -1;
    bool textured = false;
    int32_t doubleSided = 0, twistFix = 0; // the faces' own settings, kept apart so an import gets them back
    std::vector<float> positions;      // x, y, z per vertex, model units, from the node's origin
    std::vector<float> uvs;            // u, v per vertex (textured groups only), 0..1, v down the picture
    std::vector<uint32_t> indices;     // three per triangle
    std::vector<int32_t> sourceVertex; // the model vertex of each vertex
};

// Where a part's node sits: the root part at the object's origin, a child
// part at its pivot (its position). Model units.
void partOrigin(const ModelPart& part, float origin[3]);

// The drawable triangles of the part's own faces, grouped by material, by
// whether they are textured and by the faces' settings, in the order first met. Faces without a
// valid material, with indices outside the vertex table, and triangles
// that repeat a corner are left out, as the renderer leaves them out.
std::vector<MeshPrimitive> partPrimitives(const ModelObject& object, const ModelPart& part, const float origin[3]);

// The texture coordinates of the face's four corners (as partPrimitives
// gives them) when its colour's texture covers one of its triangles.
bool faceTexture(const ModelObject& object, const Face& face, float uv[4][2]);

// The rotation of a node as the renderer builds it, as a unit quaternion
// (x, y, z, w) for column vectors.
void nodeRotation(const ModelNode& node, double quaternion[4]);

} // namespace quillo
