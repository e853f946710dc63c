// Readies an object's vertices at every redraw: grid coordinates, smoothed
// normals from the faces, removal of vertices no face uses, and the
// smoothing of vertices that lie on another face's edge.
#pragma once

#include "model/model.h"
#include "model/vertex_normals.h"

namespace quillo {

// All steps in order: grid coordinates and owner copies, the smoothed
// normals of model/vertex_normals.h, and the normals x 255.
void prepareVertices(ModelObject& object);

} // namespace quillo
