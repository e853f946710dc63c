#include "exbc.h"

#include "engine_errors.h"

namespace quillo::engine3d {

bool EXBC::draw(Device& device, DirtyRects& dirty)
{
    Rect extent;
    if (!device.execute(batch, extent)) {
        newError(10, "EXBC::draw");
        return false;
    }
    dirty.add(extent);
    return true;
}

bool EXBC2::draw(Device& device, DirtyRects& dirty)
{
    Mat4 world = identityMatrix();
    MatrixHandle loaded = 0;
    for (size_t i = 0; i < source.size() && i < batch.vertices.size(); ++i) {
        if (owners[i] != loaded) {
            if (!device.getMatrix(owners[i], world)) {
                newError(12, "EXBC2::draw");
                return false;
            }
            loaded = owners[i];
        }
        const DeviceVertex& s = source[i];
        DeviceVertex& v = batch.vertices[i];
        const Vec3f p = transformPoint({s.x, s.y, s.z}, world);
        const Vec3f n = transformNormal({s.nx, s.ny, s.nz}, world);
        v.x = p.x, v.y = p.y, v.z = p.z;
        v.nx = n.x, v.ny = n.y, v.nz = n.z;
    }
    Rect extent;
    if (!device.execute(batch, extent)) {
        newError(14, "EXBC2::draw");
        return false;
    }
    dirty.add(extent);
    return true;
}

} // namespace quillo::engine3d
