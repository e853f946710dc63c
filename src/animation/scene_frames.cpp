#include "scene_frames.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "anim_messages.h"
#include "anim_model.h"
#include "animation_document.h"
#include "model/messages.h"
#include "motion_frames.h"
#include "pattern_words.h"
#include "pose_bytes.h"
#include "record_bytes.h"
#include "stage_view.h"

namespace quillo::anim {

namespace {

void clampIndex(Scene& scene)
{
    if (scene.frameIndex < 0) scene.frameIndex = 0;
    if (scene.frameIndex > scene.frames.count()) scene.frameIndex = scene.frames.count();
}

void storeFrame(AnimationDocument& doc, unsigned char* out)
{
    Scene& scene = doc.current();
    std::memset(out, 0, size_t(scene.recordSize()));
    putInt(out, doc.camera ? doc.camera->zoom() : 0);
    putInt(out + 4, doc.currentDialogue);
    putInt(out + 8, doc.currentBackground);
    putInt(out + 12, doc.music.lastsound);
    unsigned char* p = out + 16;
    for (AnimObject* object : scene.objects) {
        storePatterns(*object, p);
        p += 4 * patternWordCount(object->textureCount());
    }
    if (doc.camera) doc.camera->storePose(p);
    p += 24;
    for (AnimObject* object : scene.objects) {
        object->placement().storePose(p);
        p += object->placement().poseSize();
        for (int i = 0; i < object->nodeCount(); ++i) {
            object->node(i).storePose(p);
            p += object->node(i).poseSize();
        }
    }
}

void loadFrame(AnimationDocument& doc, const unsigned char* in)
{
    Scene& scene = doc.current();
    const int zoom = getInt(in);
    if (doc.camera && zoom != 0 && zoom != doc.camera->zoom()) doc.camera->setZoom(zoom);
    const int line = getInt(in + 4);
    if (line != doc.currentDialogue && line >= 0 && line < int(doc.dialogue.size())) {
        doc.currentDialogue = line;
        if (doc.view) doc.view->showDialogue(doc.dialogue[size_t(line)]);
    }
    const int background = getInt(in + 8);
    if (background != doc.currentBackground && background >= 0 && background < int(doc.backgrounds.size())) {
        doc.currentBackground = background;
        if (doc.view) doc.view->showBackground(doc.backgrounds[size_t(background)]);
    }
    doc.music.select(getInt(in + 12));
    const unsigned char* p = in + 16;
    for (AnimObject* object : scene.objects) {
        loadPatterns(*object, p);
        p += 4 * patternWordCount(object->textureCount());
    }
    if (doc.camera) loadFinitePose(*doc.camera, p);
    p += 24;
    for (AnimObject* object : scene.objects) {
        loadFinitePose(object->placement(), p);
        p += object->placement().poseSize();
        for (int i = 0; i < object->nodeCount(); ++i) {
            loadFinitePose(object->node(i), p);
            p += object->node(i).poseSize();
        }
    }
}

} // namespace

bool recordSceneFrame(AnimationDocument& doc, unsigned char* target)
{
    Scene& scene = doc.current();
    if (scene.recordSize() == 0) {
        errorbox(formatMessage("%s", text::sceneWithoutModel));
        return false;
    }
    if (target) {
        storeFrame(doc, target);
        return true;
    }
    clampIndex(scene);
    if (scene.frameIndex == scene.frames.count() && !scene.frames.append(nullptr)) return false;
    storeFrame(doc, scene.frames.at(scene.frameIndex));
    if (doc.selectedObject) recordMotionFrame(*doc.selectedObject);
    return true;
}

bool applySceneFrame(AnimationDocument& doc, const unsigned char* source)
{
    Scene& scene = doc.current();
    if (scene.recordSize() == 0) return false;
    if (!source) {
        clampIndex(scene);
        if (scene.frameIndex == scene.frames.count()) return false;
        source = scene.frames.at(scene.frameIndex);
    }
    loadFrame(doc, source);
    return true;
}

void deleteSceneFrame(AnimationDocument& doc)
{
    Scene& scene = doc.current();
    if (scene.recordSize() == 0) return;
    scene.frames.removeAt(scene.frameIndex);
}

void previousSceneFrame(AnimationDocument& doc)
{
    Scene& scene = doc.current();
    if (scene.recordSize() == 0) return;
    if (scene.frameIndex > 0) --scene.frameIndex;
    applySceneFrame(doc);
}

void nextSceneFrame(AnimationDocument& doc)
{
    Scene& scene = doc.current();
    if (scene.recordSize() == 0) return;
    bool moved = false;
    if (scene.frameIndex < scene.frames.count()) {
        ++scene.frameIndex;
        moved = true;
    }
    applySceneFrame(doc);
    if (moved && doc.selectedObject) stepMotion(*doc.selectedObject, +1);
}

void previewSceneFrame(AnimationDocument& doc, int delta)
{
    Scene& scene = doc.current();
    const int i = scene.frameIndex + delta;
    if (scene.recordSize() == 0 || i < 0 || i >= scene.frames.count()) return;
    loadFrame(doc, scene.frames.at(i));
}

bool inbetweenSceneFrame(AnimationDocument& doc)
{
    Scene& scene = doc.current();
    const int i = scene.frameIndex;
    if (scene.recordSize() == 0 || i < 0 || i + 1 >= scene.frames.count()) return false;
    const unsigned char* a = scene.frames.at(i);
    const unsigned char* b = scene.frames.at(i + 1);
    std::vector<unsigned char> blended(size_t(scene.recordSize()), 0);
    std::memcpy(blended.data(), a, size_t(scene.headerSize()));
    const int64_t zoom = (int64_t(getInt(a)) + int64_t(getInt(b))) / 2; // truncated toward zero
    putInt(blended.data(), int32_t(zoom));
    int offset = scene.headerSize();
    auto blendNode = [&](int size) {
        blendPose(size, a + offset, b + offset, blended.data() + offset);
        offset += size;
    };
    blendNode(24); // the camera
    for (AnimObject* object : scene.objects) {
        blendNode(object->placement().poseSize());
        for (int n = 0; n < object->nodeCount(); ++n) blendNode(object->node(n).poseSize());
    }
    return scene.frames.insertAt(i + 1, blended.data());
}

} // namespace quillo::anim
