#include "engine_adapter.h"

#include "engine3d/device_layer.h"
#include "engine3d/model_table.h"
#include "engine3d/objct.h"
#include "engine3d/texture_entry.h"

namespace quillo::anim {

void EnginePose::storePose(unsigned char* out) const
{
    engine3d::PoseWriter writer{out, out + block_.poseSize()};
    block_.storePose(writer);
}

void EnginePose::loadPose(const unsigned char* in)
{
    engine3d::PoseReader reader{in, in + block_.poseSize()};
    block_.loadPose(reader);
}

void EngineCamera::setZoom(int zoom)
{
    camera_.zoom = zoom;
    layer_.setviewport(zoom);
}

EngineObject::EngineObject(engine3d::OBJCT& object, engine3d::DeviceLayer& layer)
    : object_(object), layer_(layer), placement_(object)
{
    for (engine3d::PART* part : object.partList) parts_.emplace_back(*part);
}

int EngineObject::textureCount() const { return object_.textures.count(); }

int EngineObject::currentPattern(int texture) const { return object_.textures[texture].currentPattern; }

void EngineObject::selectPattern(int texture, int pattern)
{
    engine3d::selectPattern(layer_.device(), object_.textures[texture], pattern);
}

EngineModel::EngineModel(engine3d::OBJCT& top, engine3d::DeviceLayer& layer) : top_(top)
{
    if (!top.objectList) {
        objects_.push_back(std::make_unique<EngineObject>(top, layer));
        return;
    }
    for (engine3d::OBJCT* object : *top.objectList) objects_.push_back(std::make_unique<EngineObject>(*object, layer));
}

std::unique_ptr<AnimModel> EngineModelLoader::load(const std::string& path)
{
    engine3d::OBJCT* top = table_.load(path);
    if (!top) return nullptr;
    return std::make_unique<EngineModel>(*top, layer_);
}

void EngineModelLoader::clear() { table_.clear(); }

} // namespace quillo::anim
