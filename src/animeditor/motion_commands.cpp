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

bool motionCommand(AnimeEditor& e, int command)
{
    anim::AnimObject* object = e.state.currentobject;
    anim::Motion* motion = e.currentMotion();
    if (!object || !motion) return false;
    PoseClipboard& clip = e.clipboard;
    switch (Cmd(command)) {
    case Cmd::MotionPrevious: anim::stepMotion(*object, -1); break;
    case Cmd::MotionNext: anim::stepMotion(*object, 1); break;
    case Cmd::MotionPreviewPrevious: anim::previewMotion(*object, -1); break;
    case Cmd::MotionPreviewNext: anim::previewMotion(*object, 1); break;
    case Cmd::ResetPose: {
        const std::vector<unsigned char> zeros(size_t(anim::motionRecordSize(*object)), 0);
        anim::applyMotionFrame(*object, zeros.data());
        break;
    }
    case Cmd::SaveMotion: anim::saveMotion(*motion, [&e] { return chooseMotionPath(e); }); return false;
    case Cmd::LoadMotion: return loadMotion(e, *object);
    case Cmd::MotionInbetween: anim::inbetweenMotion(*object); return false;
    case Cmd::DeleteMotionFrame: anim::deleteMotionFrame(*object); return false;
    case Cmd::CopyMotionFrame: {
        std::vector<unsigned char> bytes(size_t(anim::motionRecordSize(*object)), 0);
        if (bytes.empty() || !anim::recordMotionFrame(*object, bytes.data())) return false;
        clip = {PoseClipboard::motionFrame, std::move(bytes)};
        return false;
    }
    case Cmd::PasteMotionFrame:
        // Only a motion frame of this object's record size fits.
        if (clip.kind != PoseClipboard::motionFrame || int(clip.bytes.size()) != anim::motionRecordSize(*object))
            return false;
        anim::applyMotionFrame(*object, clip.bytes.data());
        break;
    case Cmd::MotionSettings: {
        std::string name = motion->name, path = motion->path;
        if (e.dialogs().actionBox(name, path) < 0) return false;
        motion->name = fieldName(name, 80);
        if (!path.empty()) motion->path = path;
        return false;
    }
    default: return false;
    }
    return e.sceneChanged();
}

} // namespace quillo::animeditor
