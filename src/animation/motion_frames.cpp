#include "motion_frames.h"

#include <vector>

#include "anim_model.h"
#include "motion.h"
#include "pattern_words.h"
#include "pose_bytes.h"

namespace quillo::anim {

namespace {

// The motion of the object when it fits the object, else null.
Motion* fittingMotion(AnimObject& object)
{
    Motion* motion = object.currentMotion;
    if (!motion || !motionFits(*motion, object)) return nullptr;
    return motion;
}

void storeParts(AnimObject& object, unsigned char* out)
{
    storePatterns(object, out);
    out += 4 * patternWordCount(object.textureCount());
    for (int i = 0; i < object.nodeCount(); ++i) {
        PoseNode& node = object.node(i);
        node.storePose(out);
        out += node.poseSize();
    }
}

void loadParts(AnimObject& object, const unsigned char* in)
{
    loadPatterns(object, in);
    in += 4 * patternWordCount(object.textureCount());
    for (int i = 0; i < object.nodeCount(); ++i) {
        PoseNode& node = object.node(i);
        loadFinitePose(node, in);
        in += node.poseSize();
    }
}

} // namespace

bool recordMotionFrame(AnimObject& object, unsigned char* target)
{
    if (target) { // the pose clipboard holds the largest record
        storeParts(object, target);
        return true;
    }
    if (!object.currentMotion) {
        object.motionFrameIndex = 0;
        return false;
    }
    Motion* motion = fittingMotion(object);
    if (!motion) return false;
    FrameList& frames = motion->frames;
    if (object.motionFrameIndex < 0) object.motionFrameIndex = 0;
    if (object.motionFrameIndex >= frames.count()) {
        object.motionFrameIndex = frames.count();
        if (!frames.append(nullptr)) return false;
    }
    storeParts(object, frames.at(object.motionFrameIndex));
    return true;
}

bool applyMotionFrame(AnimObject& object, const unsigned char* source)
{
    if (source) {
        loadParts(object, source);
        return true;
    }
    if (!object.currentMotion || object.motionFrameIndex < 0) {
        object.motionFrameIndex = 0;
        return false;
    }
    const int count = object.currentMotion->frames.count();
    if (object.motionFrameIndex >= count) {
        object.motionFrameIndex = count;
        return false;
    }
    Motion* motion = fittingMotion(object);
    if (!motion) return false;
    loadParts(object, motion->frames.at(object.motionFrameIndex));
    return true;
}

void deleteMotionFrame(AnimObject& object)
{
    if (object.currentMotion) object.currentMotion->frames.removeAt(object.motionFrameIndex);
}

void stepMotion(AnimObject& object, int delta)
{
    object.motionFrameIndex += delta;
    applyMotionFrame(object);
}

void previewMotion(AnimObject& object, int delta)
{
    Motion* motion = object.currentMotion;
    const int i = object.motionFrameIndex + delta;
    if (!motion || i < 0 || i >= motion->frames.count()) return;
    if (fittingMotion(object)) loadParts(object, motion->frames.at(i));
}

bool inbetweenMotion(AnimObject& object)
{
    Motion* motion = object.currentMotion;
    const int i = object.motionFrameIndex;
    if (!motion || i < 0 || i + 1 >= motion->frames.count()) return false;
    if (!fittingMotion(object)) return false;
    const int size = motion->frames.recordSize();
    std::vector<unsigned char> blended(motion->frames.at(i), motion->frames.at(i) + size);
    const unsigned char* a = motion->frames.at(i);
    const unsigned char* b = motion->frames.at(i + 1);
    int offset = 4 * patternWordCount(object.textureCount());
    for (int n = 0; n < object.nodeCount(); ++n) {
        const int poseSize = object.node(n).poseSize();
        blendPose(poseSize, a + offset, b + offset, blended.data() + offset);
        offset += poseSize;
    }
    return motion->frames.insertAt(i + 1, blended.data());
}

} // namespace quillo::anim
