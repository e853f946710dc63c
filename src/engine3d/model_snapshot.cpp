#include "model_snapshot.h"

#include "block.h"
#include "device_layer.h"
#include "model_table.h"

namespace quillo::engine3d {

bool snapshotModel(const std::string& modelPath, const SnapshotOptions& o, Target& frame)
{
    DeviceLayer layer;
    EngineSettings settings;
    settings.maxWidth = o.width;
    settings.maxHight = o.height;
    settings.zoff = !o.zbuffer;
    if (!layer.ddinit(settings, nullptr)) return false;
    ModelTable table(layer);
    CAM camera(layer.device(), layer.viewMatrix());
    OBJCT* model = table.load(modelPath);
    if (!model) return false;
    if (o.camera) camera.place(o.view[0], o.view[1], o.view[2], o.view[3], o.view[4], o.view[5]);
    camera.zoom = o.zoom;
    layer.setviewport(o.zoom);
    updateWorld(*model);
    if (!layer.rend([model](Device& d, DirtyRects& dirty) { drawModel(*model, d, dirty); })) return false;
    frame = layer.device().target();
    return true;
}

} // namespace quillo::engine3d
