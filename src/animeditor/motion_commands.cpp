// The motions of the current object: choice (201), a new motion (302), and
// the action menu: stepping, previews, the all-zero pose, saving, loading,
// in-between, delete, the pose clipboard and the settings box "DACT". A
// motion whose record size is not the object's never becomes current.
#include "anime_editor.h"
#include "anime_handlers.h"

#include <memory>

#include "animation/md6_file.h"
#include "animation/motion.h"
#include "animation/motion_frames.h"
#include "platform/field_text.h"

namespace quillo::animeditor {

namespace {

void makeCurrent(anim::AnimObject& object, anim::Motion* motion)
{
    object.currentMotion = motion;
    object.motionFrameIndex = 0;
}

std::string chooseMotionPath(AnimeEditor& e)
{
    std::string path;
    return e.dialogs().chooseSaveFile(fileMotion, path) ? path : std::string();
}

bool loadMotion(AnimeEditor& e, anim::AnimObject& object)
{
    std::string path;
    if (!e.dialogs().chooseFile(fileMotion, path) || path.empty()) return false;
    anim::MotionList& list = e.document().motions;
    for (int i = 0; i < list.count(); ++i)
        if (list[i].path == path) {
            if (!anim::motionFits(list[i], object)) return false;
            makeCurrent(object, &list[i]);
            return e.sceneChanged();
        }
    auto motion = std::make_unique<anim::Motion>();
    if (anim::readMotion(path, *motion) == anim::ReadStatus::cannotOpen) return false;
    if (!anim::motionFits(*motion, object)) return false;
    makeCurrent(object, &list.add(std::move(motion)));
    return e.sceneChanged();
}

} // namespace

bool chooseMotionCommand(AnimeEditor& e)
{
    anim::AnimObject* object = e.state.currentobject;
    if (!object) return false;
    anim::MotionList& list = e.document().motions;
    std::vector<std::string> names;
    for (int i = 0; i < list.count(); ++i) names.push_back(list[i].name);
    names.push_back("新規登録");
    const int chosen = selectbox(e.dialogs(), names, "", 0);
    if (chosen < 0) {
        makeCurrent(*object, nullptr);
        return false;
    }
    if (chosen == list.count()) return addMotionCommand(e);
    if (anim::motionFits(list[chosen], *object)) makeCurrent(*object, &list[chosen]);
    return false;
}

bool addMotionCommand(AnimeEditor& e)
{
    anim::AnimObject* object = e.state.currentobject;
    if (!object) return false;
    std::string name;
    if (e.dialogs().inputBox("追加する動作名を入力してください", name) < 0) return false;
    anim::createMotion(e.document().motions, *object, name);
    return false;
}

namespace {

// The current object and its current motion, or nothing to act on.
struct MotionTarget {
    anim::AnimObject* object;
    anim::Motion* motion;
    explicit operator bool() const { return object && motion; }
};
MotionTarget motionTarget(AnimeEditor& e) { return {e.state.currentobject, e.currentMotion()}; }

} // namespace

bool motionPreviousCommand(AnimeEditor& e, int)
{
    const MotionTarget t = motionTarget(e);
    return t && (anim::stepMotion(*t.object, -1), e.sceneChanged());
}

bool motionNextCommand(AnimeEditor& e, int)
{
    const MotionTarget t = motionTarget(e);
    return t && (anim::stepMotion(*t.object, 1), e.sceneChanged());
}

bool motionPreviewPreviousCommand(AnimeEditor& e, int)
{
    const MotionTarget t = motionTarget(e);
    return t && (anim::previewMotion(*t.object, -1), e.sceneChanged());
}

bool motionPreviewNextCommand(AnimeEditor& e, int)
{
    const MotionTarget t = motionTarget(e);
    return t && (anim::previewMotion(*t.object, 1), e.sceneChanged());
}

bool resetPoseCommand(AnimeEditor& e, int)
{
    const MotionTarget t = motionTarget(e);
    if (!t) return false;
    const std::vector<unsigned char> zeros(size_t(anim::motionRecordSize(*t.object)), 0);
    anim::applyMotionFrame(*t.object, zeros.data());
    return e.sceneChanged();
}

bool saveMotionCommand(AnimeEditor& e, int)
{
    const MotionTarget t = motionTarget(e);
    if (t) anim::saveMotion(*t.motion, [&e] { return chooseMotionPath(e); });
    return false;
}

bool loadMotionCommand(AnimeEditor& e, int)
{
    const MotionTarget t = motionTarget(e);
    return t && loadMotion(e, *t.object);
}

bool motionInbetweenCommand(AnimeEditor& e, int)
{
    const MotionTarget t = motionTarget(e);
    if (t) anim::inbetweenMotion(*t.object);
    return false;
}

bool deleteMotionFrameCommand(AnimeEditor& e, int)
{
    const MotionTarget t = motionTarget(e);
    if (t) anim::deleteMotionFrame(*t.object);
    return false;
}

bool copyMotionFrameCommand(AnimeEditor& e, int)
{
    const MotionTarget t = motionTarget(e);
    if (!t) return false;
    std::vector<unsigned char> bytes(size_t(anim::motionRecordSize(*t.object)), 0);
    if (bytes.empty() || !anim::recordMotionFrame(*t.object, bytes.data())) return false;
    e.clipboard = {PoseClipboard::motionFrame, std::move(bytes)};
    return false;
}

bool pasteMotionFrameCommand(AnimeEditor& e, int)
{
    const MotionTarget t = motionTarget(e);
    const PoseClipboard& clip = e.clipboard;
    // Only a motion frame of this object's record size fits.
    if (!t || clip.kind != PoseClipboard::motionFrame || int(clip.bytes.size()) != anim::motionRecordSize(*t.object))
        return false;
    anim::applyMotionFrame(*t.object, clip.bytes.data());
    return e.sceneChanged();
}

bool motionSettingsCommand(AnimeEditor& e, int)
{
    const MotionTarget t = motionTarget(e);
    if (!t) return false;
    std::string name = t.motion->name, path = t.motion->path;
    if (e.dialogs().actionBox(name, path) < 0) return false;
    t.motion->name = fieldName(name, 80);
    if (!path.empty()) t.motion->path = path;
    return false;
}

} // namespace quillo::animeditor
