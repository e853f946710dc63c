// Smoothed vertex normals of an object, shared by both renderers: angle-
// weighted sums of the faces' triangle normals, removal of vertices no face
// uses, and the smoothing of vertices that lie on another face's edge.
#pragma once

#include <vector>

#include "model.h"

namespace quillo {

// Zero every normal, drop unused vertices (renumbering faces), add each
// triangle's unit normal weighted by its corner angles (faces with
// twistFix and degenerate triangles add nothing, so a vertex used only by
// them keeps a zero normal), normalise, then the two smoothing passes.
// Faces are those of the parts in partList.
void smoothVertexNormals(ModelObject& object);

// Removes every vertex whose `used` flag is 0 and renumbers the face
// indices of every part in partList, in one pass: the result equals
// removing them one by one from the last, lowering each face index above
// the removed one (indices past the table drop by the number removed,
// negative ones stay). Returns the number removed.
int removeUnusedVertices(ModelObject& object, const std::vector<char>& used);

// One smoothing pass: vertices created by splitting a neighbouring face
// (lying on its edge) take the normal of that edge, interpolated by
// distance between its two end points (not normalised again). `backwards`
// walks the parts and faces from the last to the first, so that earlier
// faces win.
void smoothSplitEdges(ModelObject& object, bool backwards);

} // namespace quillo
