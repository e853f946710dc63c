// The central redraw of the model editor and the drawing of one frame.
// A redraw rebuilds, from the model, everything drawing needs: colour table
// and palette, texture images, vertex normals, polygons and the frame
// lists. A frame then projects every vertex and draws every polygon,
// farthest first, or in list order against the Z buffer.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "depth_sort.h"
#include "frame.h"
#include "model/model.h"
#include "polygons.h"

namespace quillo {

// Every vertex and polygon of every object drawn, in redraw order. They
// point into the document's objects: valid until the document changes,
// after which a redraw must come before the next frame.
struct FrameLists {
    std::vector<Vertex*> vertices;
    std::vector<ScenePolygon*> polygons;
    // Working space of drawScene, kept between frames.
    std::vector<PolygonDraw> draws;
    std::vector<int64_t> depthKeys;
    std::vector<uint32_t> depthOrder;
    DepthSort depthSort;
};

// Rebuilds everything for drawing (the world blocks are not recomputed:
// call updateWorld first when a placement changed). Returns false when
// memory ran out, after the out-of-memory message.
bool redraw(ModelDocument& document, GMTBL& table, FrameLists& lists);

// Draws the frame lists into a cleared target: projection from the
// target's size and the document's zoom, then the polygons sorted by the
// sum of their reciprocal depths (farthest first; equal sums keep list
// order) or, when the target has a Z buffer, in list order.
void drawScene(const ModelDocument& document, FrameLists& lists, const DrawTarget& target);

// One frame as the editor paints it: Z buffer to 0, pixels to entry 0,
// then drawScene through the colour table's shade map.
void drawFrame(const ModelDocument& document, FrameLists& lists, const GMTBL& table, Frame& frame);

} // namespace quillo
