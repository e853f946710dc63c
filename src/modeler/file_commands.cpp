// The file and view commands of the model editor: open, insert, close,
// save, options, zoom and the scale factor.
#include "model_editor.h"

#include <cstdio>

#include "model/file_util.h"
#include "model/md4_file.h"
#include "softrender/transform.h"

namespace quillo {

bool ModelEditor::save(const std::string& chosen, bool partial)
{
    std::string path = chosen;
    if (path.find('/') == std::string::npos) path = currentDirectory() + path;
    bool ok = partial ? writeObjectFile(*state.currentobject, state.currentpart, path) : writeModel(document, path);
    if (!ok) errorbox(formatMessage("ファイル %s に書き込めません", path.c_str()));
    else if (!partial) {
        savedGeneration_ = history_.generation();
        noteRecent(path);
    }
    return ok;
}

bool ModelEditor::openCommand()
{
    std::string path;
    if (!dialogs_.chooseFile(fileModel, path)) return false;
    openFile(path);
    return true;
}

bool ModelEditor::insertCommand()
{
    std::string path;
    if (!dialogs_.chooseFile(fileModel, path)) return false;
    if (!state.currentobject || !state.currentpart) return false;
    insertModel(*state.currentobject, *state.currentpart, state.mode == modePart, path, table);
    redraw();
    updateWorld(document);
    return true;
}

bool ModelEditor::closeCommand()
{
    std::string path;
    if (!dialogs_.chooseSaveFile(fileModel, path)) return false;
    if (!save(path, false)) return false; // a failed save keeps the model open
    closeModel();
    redraw();
    return true;
}

bool ModelEditor::saveCommand()
{
    if (state.filename.empty()) return saveAsCommand();
    save(state.filename, false);
    return false;
}

bool ModelEditor::saveAsCommand()
{
    std::string path;
    if (!dialogs_.chooseSaveFile(fileModel, path)) return false;
    state.filename = path;
    bool partial = state.mode == modePart && state.currentobject && state.currentpart &&
                   askbox(formatMessage("部分セーブしますか？"));
    save(path, partial);
    return false;
}

bool ModelEditor::zoomBy(int32_t (*rule)(int32_t))
{
    document.zoom = rule(document.zoom);
    applyPose();
    return true;
}

bool ModelEditor::zoomTo()
{
    char prompt[64];
    std::snprintf(prompt, sizeof prompt, "倍率 :%g", double(document.zoom) / 256.0);
    std::string answer;
    if (dialogs_.inputBox(prompt, answer) <= 0) return false;
    zoomFromAnswer(answer, document.zoom);
    return false;
}

bool ModelEditor::scaleFactor()
{
    char prompt[64];
    std::snprintf(prompt, sizeof prompt, "ｽｹｰﾙﾌｧｸﾀ :%g", double(dt));
    std::string answer;
    if (dialogs_.inputBox(prompt, answer) <= 0) return false;
    float step = dt;
    bool refused = false;
    if (!readScaleFactor(answer, step, refused)) {
        if (refused) errorbox(formatMessage("ｽｹｰﾙﾌｧｸﾀは０より大きい数にしてください"));
        return false;
    }
    // Every position scales with the grid step, so the model keeps its grid units.
    const float factor = step / dt;
    for (ModelObject* o : allObjects()) {
        for (float& p : o->position) p *= factor;
        PointerList<ModelPart> parts;
        collectParts(o->rootPart, parts);
        for (ModelPart* part : parts)
            for (float& p : part->position) p *= factor;
        for (Vertex& v : o->vertices) {
            v.x *= factor;
            v.y *= factor;
            v.z *= factor;
        }
    }
    dt = step;
    return false;
}

bool ModelEditor::options()
{
    if (!askbox(formatMessage("設定を変更するとプログラムを終了しなければなりません\n保存していないデータはすべて失われます\nオプションを変更しますか？")))
        return false;
    EditorSettings changed = settings;
    if (dialogs_.optionsBox(changed) != 1) return false;
    acceptOptions(changed);
    settings = changed;
    savesettings(store_, settings);
    errorbox(formatMessage("オプションが変更されました\nプログラムを終了します"));
    host_->closeMainWindow();
    return false;
}

} // namespace quillo
