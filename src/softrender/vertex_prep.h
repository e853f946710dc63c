// Readies an object's vertices at every redraw: grid coordinates, smoothed
// normals from the faces, removal of vertices no face uses, and the
// smoothing of vertices that lie on another face's edge.
#pragma once

#include <vector>

#include "model/model.h"

namespace quillo {

// All steps in order: grid coordinates and owner copies, angle-weighted
// normals (faces with twistFix and degenerate triangles add nothing, so a
// vertex used only by them keeps a zero normal: the middle light),
// removal of unused vertices, normalising, then the two smoothing passes.
void prepareVertices(ModelObject& object);

// Removes every vertex whose `used` flag is 0 and renumbers the face
// indices of every part in partList, in one pass: the result equals
// removing them one by one from the last, lowering each face index above
// the removed one (indices past the table drop by the number removed,
// negative ones stay). Returns the number removed.
int removeUnusedVertices(ModelObject& object, const std::vector<char>& used);

// One smoothing pass: vertices created by splitting a neighbouring face
// (lying on its edge) take the normal of that edge, interpolated by
// distance between its two end points. `backwards` walks the parts and
// faces from the last to the first, so that earlier faces win.
void smoothSplitEdges(ModelObject& object, bool backwards);

} // namespace quillo
