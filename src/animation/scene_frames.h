// Key frames of the current scene: record, apply, delete, step, preview and
// in-between, over the scene's frame index. A scene without a model has no
// record size, so every frame operation is refused there.
#pragma once

namespace quillo::anim {

class AnimationDocument;
class Scene;

// Writes the present zoom, dialogue, background, music, patterns and poses
// into `target` (the pose clipboard) or into frame i (appended at the end).
// Refused with a message in a scene without a model.
bool recordSceneFrame(AnimationDocument& doc, unsigned char* target = nullptr);

// Shows `source` or frame i: zoom, line, background, music, patterns and
// poses. Nothing at the place after the last frame.
bool applySceneFrame(AnimationDocument& doc, const unsigned char* source = nullptr);

// Removes frame i; i stays.
void deleteSceneFrame(AnimationDocument& doc);

// Back one frame and apply it.
void previousSceneFrame(AnimationDocument& doc);
// On one frame (up to the place after the last) and apply it; when it moved,
// the selected object's motion steps along with it.
void nextSceneFrame(AnimationDocument& doc);
// Applies frame i + delta without moving i, when it exists.
void previewSceneFrame(AnimationDocument& doc, int delta);

// Inserts after frame i the frame halfway to frame i + 1: header from frame
// i with the mean zoom, every pose blended. i stays and nothing is applied.
bool inbetweenSceneFrame(AnimationDocument& doc);

} // namespace quillo::anim
