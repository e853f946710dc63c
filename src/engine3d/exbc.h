// The two chains of vertex batches that draw an object. EXBC holds the
// triangles whose corners all belong to one node, grouped by material and
// within it by node, each group moved by its node's matrix handle. EXBC2
// holds the triangles that bridge two nodes: their vertices are rewritten
// in world coordinates before every draw and drawn with the identity.
#pragma once

#include <memory>
#include <vector>

#include "device.h"
#include "dirty_rects.h"

namespace quillo::engine3d {

struct EXBC {
    ExecuteBatch batch;
    std::unique_ptr<EXBC> next;

    // Executes the batch and adds what it drew to the dirty rectangles.
    bool draw(Device& device, DirtyRects& dirty);
};

struct EXBC2 {
    ExecuteBatch batch;
    // Per vertex of the batch: its position and normal in its object's
    // coordinates, and the matrix handle of its node.
    std::vector<DeviceVertex> source;
    std::vector<MatrixHandle> owners;
    std::unique_ptr<EXBC2> next;

    // Rewrites the vertices through their nodes' world matrices, then
    // executes like EXBC.
    bool draw(Device& device, DirtyRects& dirty);
};

} // namespace quillo::engine3d
