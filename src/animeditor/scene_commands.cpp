// Scenes, models and the frames of the current scene: add a model, add,
// choose, delete and reorder scenes, the pattern choice, and the frame
// commands 618, 628, 629 and 500-505.
#include "anime_editor.h"
#include "anime_handlers.h"

#include <algorithm>

#include "animation/motion.h"
#include "animation/motion_frames.h"
#include "animation/scene_frames.h"
#include "engine3d/objct.h"
#include "platform/field_text.h"

namespace quillo::animeditor {

namespace {

std::vector<std::string> sceneNames(const anim::AnimationDocument& doc)
{
    std::vector<std::string> names;
    for (const auto& s : doc.scenes) names.push_back(s->name);
    return names;
}

} // namespace

bool addModelCommand(AnimeEditor& e)
{
    std::string path;
    if (!e.dialogs().chooseFile(fileModel, path) || path.empty()) return false;
    anim::Scene& scene = e.document().current();
    for (const std::string& p : scene.modelPaths)
        if (p == path && !askbox("このモデルは既に読み込まれています\nもう一つ読み込みますか")) return false;
    if (!e.document().findOrLoadModel(path)) return false;
    e.objectChoice();
    if (e.state.currentobject) e.host().fillSelector(id(Cmd::PartWindow), e.partNames(), std::max(e.state.currentpart, 0));
    return e.sceneChanged();
}

bool addSceneCommand(AnimeEditor& e)
{
    std::string name;
    if (e.dialogs().inputBox("新しい場面名を入力してください", name) <= 0) return false;
    anim::AnimationDocument& doc = e.document();
    anim::Scene* previous = doc.currentScene;
    doc.addScene(fieldName(name, 80));
    // addScene made it current already; let the scene change run in full.
    doc.currentScene = previous;
    e.makeSceneCurrent(int(doc.scenes.size()) - 1);
    return true;
}

bool chooseSceneCommand(AnimeEditor& e)
{
    std::vector<std::string> names = sceneNames(e.document());
    names.push_back("新規登録");
    const int chosen = selectbox(e.dialogs(), names, "", std::max(e.sceneIndex(), 0));
    if (chosen < 0) return false;
    if (chosen == int(names.size()) - 1) return addSceneCommand(e);
    e.makeSceneCurrent(chosen);
    e.objectChoice();
    return true;
}

bool deleteSceneCommand(AnimeEditor& e)
{
    anim::AnimationDocument& doc = e.document();
    const int index = e.sceneIndex();
    if (index < 0 || !askbox("場面を削除します\nよろしいですか？")) return false;
    if (doc.scenes.size() == 1) {
        e.state.filename.clear();
        e.resetDocument();
        e.askFirstSceneName();
        return true;
    }
    // The current scene is let go before the scene itself is destroyed.
    doc.currentScene = nullptr;
    doc.scenes.erase(doc.scenes.begin() + index);
    int chosen = selectbox(e.dialogs(), sceneNames(doc), "", 0);
    chosen = std::clamp(chosen, 0, int(doc.scenes.size()) - 1);
    e.makeSceneCurrent(chosen);
    e.objectChoice();
    return true;
}

bool reorderScenesCommand(AnimeEditor& e)
{
    anim::AnimationDocument& doc = e.document();
    if (doc.scenes.size() < 2) return false;
    std::vector<int> order;
    if (e.dialogs().reorderBox(sceneNames(doc), order) < 0) return false;
    // By index, so that scenes of the same name all stay.
    std::vector<bool> used(doc.scenes.size(), false);
    if (order.size() != doc.scenes.size()) return false;
    for (int i : order) {
        if (i < 0 || i >= int(used.size()) || used[size_t(i)]) return false;
        used[size_t(i)] = true;
    }
    std::vector<std::unique_ptr<anim::Scene>> reordered;
    for (int i : order) reordered.push_back(std::move(doc.scenes[size_t(i)]));
    doc.scenes = std::move(reordered);
    return false;
}

bool patternCommand(AnimeEditor& e)
{
    engine3d::OBJCT* o = e.engineObject();
    if (!o) return false;
    std::vector<std::string> textures;
    for (int i = 0; i < o->textures.count(); ++i) textures.push_back(o->textures[i].patternPaths[0]);
    const int t = selectbox(e.dialogs(), textures, "", 0);
    if (t < 0) return false;
    const engine3d::TextureEntry& texture = o->textures[t];
    if (texture.patternCount <= 1) return false;
    std::vector<std::string> patterns;
    for (int i = 0; i < texture.patternCount; ++i) patterns.push_back(texture.patternPaths[i]);
    const int p = selectbox(e.dialogs(), patterns, "", texture.currentPattern);
    if (p < 0) return false;
    e.state.currentobject->selectPattern(t, p);
    return true;
}

bool recordFrameCommand(AnimeEditor& e, int)
{
    anim::recordSceneFrame(e.document());
    if (e.state.currentobject && e.currentMotion()) anim::recordMotionFrame(*e.state.currentobject);
    return e.sceneChanged();
}

bool previousFrameCommand(AnimeEditor& e, int) { return anim::previousSceneFrame(e.document()), e.sceneChanged(); }
bool nextFrameCommand(AnimeEditor& e, int) { return anim::nextSceneFrame(e.document()), e.sceneChanged(); }
bool previewPreviousCommand(AnimeEditor& e, int) { return anim::previewSceneFrame(e.document(), -1), e.sceneChanged(); }
bool previewNextCommand(AnimeEditor& e, int) { return anim::previewSceneFrame(e.document(), 1), e.sceneChanged(); }
bool inbetweenFrameCommand(AnimeEditor& e, int) { return anim::inbetweenSceneFrame(e.document()), e.sceneChanged(); }
bool deleteFrameCommand(AnimeEditor& e, int) { return anim::deleteSceneFrame(e.document()), e.sceneChanged(); }

bool copyFrameCommand(AnimeEditor& e, int)
{
    anim::AnimationDocument& doc = e.document();
    const int size = doc.current().recordSize();
    if (size <= 0) return false;
    std::vector<unsigned char> bytes(size_t(size), 0);
    if (!anim::recordSceneFrame(doc, bytes.data())) return false;
    e.clipboard = {PoseClipboard::sceneFrame, std::move(bytes)};
    return false;
}

bool pasteFrameCommand(AnimeEditor& e, int)
{
    anim::AnimationDocument& doc = e.document();
    const PoseClipboard& clip = e.clipboard;
    // Only a scene frame of this scene's record size fits.
    if (clip.kind != PoseClipboard::sceneFrame || int(clip.bytes.size()) != doc.current().recordSize()) return false;
    anim::applySceneFrame(doc, clip.bytes.data());
    return e.sceneChanged();
}

} // namespace quillo::animeditor
