// What the animation data needs of the 3D engine's objects: poses written to
// and read from frame bytes, texture patterns, and loading a model file.
// The engine implements these over its scene objects; the command-line tools
// and the tests implement them over plain data.
#pragma once

#include <memory>
#include <string>

namespace quillo::anim {

struct Motion;

// A posed node: the camera, an object's own placement, or a part.
class PoseNode {
public:
    virtual ~PoseNode() = default;
    // Bytes of the stored pose: 24 for a placed node (x, y, z, a, b, c as
    // float32), 12 for a joint (a, b, c).
    virtual int poseSize() const = 0;
    virtual void storePose(unsigned char* out) const = 0;
    // Sets the pose from poseSize() bytes and rebuilds the node's matrix.
    virtual void loadPose(const unsigned char* in) = 0;
};

class AnimCamera : public PoseNode {
public:
    virtual int zoom() const = 0;
    // Sets the zoom and updates the viewport.
    virtual void setZoom(int zoom) = 0;
};

// One object of a loaded model (the model's own object or one nested in it).
class AnimObject {
public:
    virtual ~AnimObject() = default;
    virtual int textureCount() const = 0;
    virtual int currentPattern(int texture) const = 0;
    // Shows pattern `pattern` of the texture; an index outside the texture's
    // patterns is ignored.
    virtual void selectPattern(int texture, int pattern) = 0;
    // The object's own placement.
    virtual PoseNode& placement() = 0;
    // The parts in part-list order: the root part, then every part below it
    // depth-first, parent before children.
    virtual int nodeCount() const = 0;
    virtual PoseNode& node(int i) = 0;

    Motion* currentMotion = nullptr; // not owned
    int motionFrameIndex = 0;
};

// A loaded model: its objects, the model's own object first.
class AnimModel {
public:
    virtual ~AnimModel() = default;
    virtual int objectCount() const = 0;
    virtual AnimObject& object(int i) = 0;
};

// Reads model files for the model table.
class ModelLoader {
public:
    virtual ~ModelLoader() = default;
    // The model in the file, or null after telling the user why (for a file
    // that cannot be opened: "モデル:%s が見つかりません").
    virtual std::unique_ptr<AnimModel> load(const std::string& path) = 0;
    // Every model loaded so far is being forgotten (the document is reset):
    // a loader that keeps the models itself releases them here.
    virtual void clear() {}
};

// Shows "モデル:%s が見つかりません".
void reportMissingModel(const std::string& path);

} // namespace quillo::anim
