#include "frame_export.h"

#include "anime_editor.h"
#include "anime_script.h"
#include "animation/scene_frames.h"

namespace quillo::animeditor {

bool exportSceneFrames(AnimeEditor& editor, int scene, int from, int to, const PictureWriter& write, std::string& why)
{
    anim::AnimationDocument& doc = editor.document();
    if (scene < 0 || scene >= int(doc.scenes.size())) {
        why = "there is no scene " + std::to_string(scene + 1) + " (the animation has " +
              std::to_string(doc.scenes.size()) + ")";
        return false;
    }
    editor.makeSceneCurrent(scene);
    anim::Scene& s = doc.current();
    if (to < 0) to = s.frames.count() - 1;
    if (s.frames.count() == 0) {
        why = "the scene has no frames";
        return false;
    }
    if (from < 0 || from > to || to >= s.frames.count()) {
        why = "the scene has frames 0 to " + std::to_string(s.frames.count() - 1);
        return false;
    }
    const int kept = s.frameIndex;
    bool ok = true;
    for (int i = from; ok && i <= to; ++i) {
        s.frameIndex = i;
        anim::applySceneFrame(doc);
        editor.sceneChanged();
        editor.drawFrame();
        ok = write(i - from, why);
    }
    s.frameIndex = kept;
    anim::applySceneFrame(doc);
    editor.sceneChanged();
    return ok;
}

bool exportPlayback(AnimeEditor& editor, int steps, const PictureWriter& write, std::string& why)
{
    editor.playback().restart();
    for (int i = 0; i < steps; ++i) {
        editor.playStep();
        editor.drawFrame();
        if (!write(i, why)) return false;
    }
    return true;
}

bool exportFramesCommand(AnimeEditor& editor)
{
    if (!editor.frameWriter) return false;
    std::string pattern, path, why;
    if (editor.dialogs().inputBox("書き出すファイル名 (例 frame%04d.png)", pattern) <= 0) return false;
    if (!numberedPath(pattern, 0, path)) {
        errorbox("ファイル名には %04d のような番号を一つ入れてください");
        return false;
    }
    const int count = editor.document().current().frames.count();
    const bool ok = exportSceneFrames(editor, editor.sceneIndex(), 0, -1, [&](int n, std::string& w) {
        numberedPath(pattern, n, path);
        return editor.frameWriter(path, n, count, w);
    }, why);
    if (!ok && !why.empty()) errorbox(why);
    return true;
}

} // namespace quillo::animeditor
