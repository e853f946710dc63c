// Node poses, world transforms and the projection of vertices to the
// screen, all in fixed point: rotations with 11 fractional bits (2048 = 1),
// positions in grid units, light vectors of length 255. Products are taken
// in 64 bits and the results saturate instead of wrapping, so a large model
// cannot overflow into garbage.
#pragma once

#include <cstdint>
#include <vector>

#include "model/model.h"

namespace quillo {

// The projection of one frame: centre (cx, cy) and scale (1024 = 1.0 at
// 640 x 480). The shaded model is centred a third from the left; the right
// part of the frame receives the outline copy at 2 x cx.
struct Projection {
    int cx = 0;
    int cy = 0;
    int scale = 1024;
};

// For a frame of width x height and a zoom with 256 = 1.0.
Projection projectionFor(int width, int height, int zoom);

// Like place, but for objects and parts (rotationOrder 0) the changes of
// the three angles turn the node about its own current axes. Other nodes
// (the view) are simply placed.
void turnPose(ModelNode& node, float x, float y, float z, float a, float b, float c);

// The world block of `node` under the parent's world block: rotation and
// translation composed, and the parent's light turned into the node's
// frame (through node.lightScratch).
void composeWorld(ModelNode& node, const TransformBlock& parent, TransformBlock& world);

// Recomputes the world blocks of every object and part of the document
// under the view's local block.
void updateWorld(ModelDocument& document);

// Transforms, lights and projects every vertex: view coordinates, light
// (2..1018 for unit normals, clamped to 0..1023), rz = 2^28 / depth in
// place of vz (0x7FFFFFFF at depth 0, negative behind the eye) and the
// screen position, or 0x80000 for both when the vertex is not in front of
// the eye. A vertex without an owner block is left behind the eye.
void projectAll(const std::vector<Vertex*>& vertices, const Projection& projection);

// Saturating narrowing of a 64-bit intermediate.
inline int32_t saturate32(int64_t value)
{
    return value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : int32_t(value);
}

} // namespace quillo
