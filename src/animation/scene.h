// A scene (場面): the models it shows and its frames. Each frame record holds
// a header (zoom, dialogue, background, music, the pattern words of every
// object), the camera pose and the pose of every object and part.
#pragma once

#include <string>
#include <vector>

#include "frame_list.h"

namespace quillo::anim {

class AnimModel;
class AnimObject;

inline constexpr int kMaxSceneModels = 64;

// Record size R and header size H of a scene's frames. R is computed with
// the running header size, as stored files have it: R = 40 + 24N plus, for
// each object in order, the header size so far and its part poses; so R
// exceeds the bytes used. A scene without objects has R = H = 0.
struct SceneLayout {
    int headerSize = 0;
    int recordSize = 0;
    int usedBytes = 0; // the bytes a frame really fills; the tail is zero
};
SceneLayout sceneLayout(const std::vector<AnimObject*>& objects);

class Scene {
public:
    explicit Scene(std::string name) : name(std::move(name)) {}

    // Appends the model and its objects, recomputes the layout and drops
    // every frame. Refused with "一場面に使用できるモデルは６４個までです"
    // when the scene already shows 64 models.
    bool addModel(AnimModel& model, const std::string& path);
    // No models, no frames, index 0.
    void clear();
    bool usesPath(const std::string& path) const;

    int headerSize() const { return layout_.headerSize; }
    int recordSize() const { return frames.recordSize(); }
    int usedBytes() const { return layout_.usedBytes; }

    std::string name; // one token, at most 79 bytes
    std::vector<AnimModel*> models;      // not owned
    std::vector<std::string> modelPaths; // same order as models
    std::vector<AnimObject*> objects;    // every object of every model, in model order
    FrameList frames;
    int frameIndex = 0; // 0 .. frame count; the count is the place after the last frame

private:
    SceneLayout layout_;
};

} // namespace quillo::anim
