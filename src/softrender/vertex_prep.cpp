#include "vertex_prep.h"

#include "model/fixed_point.h"
#include "model/vertex_normals.h"

namespace quillo {

void prepareVertices(ModelObject& object)
{
    for (Vertex& v : object.vertices) {
        v.gx = truncToInt(v.x / dt);
        v.gy = truncToInt(v.y / dt);
        v.gz = truncToInt(v.z / dt);
        v.ownerCopy = v.owner;
    }
    smoothVertexNormals(object);
    for (Vertex& v : object.vertices) {
        v.inx = truncToInt(double(v.nx) * 255.0);
        v.iny = truncToInt(double(v.ny) * 255.0);
        v.inz = truncToInt(double(v.nz) * 255.0);
    }
}

} // namespace quillo
