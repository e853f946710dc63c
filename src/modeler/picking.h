// Picking faces on the drawing area from the screen positions and
// reciprocal depths that the last frame left in the vertices: the rubber
// band, the click with front-to-back cycling, and the status line.
#pragma once

#include <string>
#include <vector>

#include "editor_state.h"
#include "model/model.h"

namespace quillo {

struct ScreenRect {
    int left, top, right, bottom; // inclusive
};
ScreenRect rectBetween(int x0, int y0, int x1, int y1);

// The two triangles of a face as picking sees them, degenerate ones left
// out. Returns how many (0 to 2) were written.
int pickTriangles(const Face& face, int32_t (&tri)[2][3]);

// Whether triangle (p, q, r) faces the viewer on the screen.
bool facesViewer(const Vertex& p, const Vertex& q, const Vertex& r);

// Faces of every part of `object` (last part first) that lie wholly inside
// the rectangle and face the viewer (double-sided ones need not).
std::vector<Face> rubberBandHits(const ModelObject& object, const ScreenRect& rect);

// The value of a click at (x, y) on a triangle (the mean reciprocal depth:
// larger is nearer), or -1 for a miss.
int64_t triangleHit(const Vertex& p, const Vertex& q, const Vertex& r, bool doubleSided, int x, int y);

struct PickResult {
    bool hit = false;
    FaceCorners face;
    int value = 0;
    int32_t point = -1;
};
// The nearest face below `limit` under (x, y), and its corner nearest to it.
PickResult clickPick(const ModelObject& object, int x, int y, int limit);

// Applies a click to the state: pick, then front-to-back cycling through
// picklimit. Returns whether anything was picked.
bool applyClick(EditorState& state, int x, int y);

// The status line of the current mode.
std::string statusLine(const EditorState& state, const ModelDocument& document);

} // namespace quillo
