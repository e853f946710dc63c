// The 3D engine's objects seen through the animation interfaces: the camera,
// each OBJCT of a loaded model with its part list and textures, and loading
// through the engine's model table.
#pragma once

#include <memory>
#include <vector>

#include "anim_model.h"
#include "engine3d/block.h"

namespace quillo::engine3d {
class DeviceLayer;
class ModelTable;
class OBJCT;
} // namespace quillo::engine3d

namespace quillo::anim {

// One engine node's pose as frame bytes.
class EnginePose : public PoseNode {
public:
    explicit EnginePose(engine3d::BLOCK& block) : block_(block) {}
    int poseSize() const override { return block_.poseSize(); }
    void storePose(unsigned char* out) const override;
    void loadPose(const unsigned char* in) override;

private:
    engine3d::BLOCK& block_;
};

// The camera; a new zoom also rescales the viewport.
class EngineCamera : public AnimCamera {
public:
    EngineCamera(engine3d::CAM& camera, engine3d::DeviceLayer& layer) : camera_(camera), layer_(layer), pose_(camera) {}
    int poseSize() const override { return pose_.poseSize(); }
    void storePose(unsigned char* out) const override { pose_.storePose(out); }
    void loadPose(const unsigned char* in) override { pose_.loadPose(in); }
    int zoom() const override { return camera_.zoom; }
    void setZoom(int zoom) override;

private:
    engine3d::CAM& camera_;
    engine3d::DeviceLayer& layer_;
    EnginePose pose_;
};

class EngineObject : public AnimObject {
public:
    EngineObject(engine3d::OBJCT& object, engine3d::DeviceLayer& layer);
    int textureCount() const override;
    int currentPattern(int texture) const override;
    void selectPattern(int texture, int pattern) override;
    PoseNode& placement() override { return placement_; }
    int nodeCount() const override { return int(parts_.size()); }
    PoseNode& node(int i) override { return parts_[size_t(i)]; }
    engine3d::OBJCT& object() const { return object_; }

private:
    engine3d::OBJCT& object_;
    engine3d::DeviceLayer& layer_;
    EnginePose placement_;
    std::vector<EnginePose> parts_;
};

// A model loaded into the engine: its top-level OBJCT's object list.
class EngineModel : public AnimModel {
public:
    EngineModel(engine3d::OBJCT& top, engine3d::DeviceLayer& layer);
    int objectCount() const override { return int(objects_.size()); }
    AnimObject& object(int i) override { return *objects_[size_t(i)]; }
    engine3d::OBJCT& top() const { return top_; }

private:
    engine3d::OBJCT& top_;
    std::vector<std::unique_ptr<EngineObject>> objects_;
};

// Loads through the engine's model table, which owns the engine objects;
// clearing the document clears that table too.
class EngineModelLoader : public ModelLoader {
public:
    EngineModelLoader(engine3d::ModelTable& table, engine3d::DeviceLayer& layer) : table_(table), layer_(layer) {}
    std::unique_ptr<AnimModel> load(const std::string& path) override;
    void clear() override;

private:
    engine3d::ModelTable& table_;
    engine3d::DeviceLayer& layer_;
};

} // namespace quillo::anim
