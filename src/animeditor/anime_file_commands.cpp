// The file commands 100-106: new, open, close, save, save as and options.
// "閉じる" forgets the file name, so that a later "上書き保存" cannot write the
// emptied document over the file; "上書き保存" without a name asks for one;
// every write is atomic and a failed write keeps the document.
#include "anime_editor.h"
#include "anime_handlers.h"
#include "anime_settings.h"

#include "animation/md6_file.h"
#include "animation/md7_file.h"

namespace quillo::animeditor {

namespace {

// Every motion saved, then the animation written to `path`.
bool writeAll(AnimeEditor& e, const std::string& path)
{
    saveAllMotions(e);
    return anim::writeAnimation(e.document(), path);
}

} // namespace

void saveAllMotions(AnimeEditor& e)
{
    anim::AnimationDocument& doc = e.document();
    for (int i = 0; i < doc.motions.count(); ++i)
        anim::saveMotion(doc.motions[i], [&e] {
            std::string path;
            return e.dialogs().chooseSaveFile(fileMotion, path) ? path : std::string();
        });
}

bool newCommand(AnimeEditor& e)
{
    e.state.filename.clear();
    e.resetDocument();
    e.askFirstSceneName();
    return true;
}

bool openCommand(AnimeEditor& e)
{
    std::string path;
    if (!e.dialogs().chooseFile(fileAnimation, path) || path.empty()) return false;
    if (path.back() != '7') {
        errorbox("ここではアニメファイルを読み込みます\nその他の読み込みは「追加」メニューを使ってください");
        return false;
    }
    anim::AnimationDocument& doc = e.document();
    // The models of the old document go with it.
    e.state.currentobject = nullptr;
    e.state.currentpart = -1;
    e.clipboard = {};
    const anim::Md7Status status = anim::readAnimation(doc, path);
    if (status != anim::Md7Status::cannotOpen) {
        // A damaged file leaves no name behind, so that it is not overwritten.
        e.state.filename = status == anim::Md7Status::ok ? path : doc.path;
        e.showBackground(doc.currentBackground > 0 ? doc.backgrounds[size_t(doc.currentBackground)] : "");
    }
    e.makeSceneCurrent(-1);
    e.objectChoice();
    return true;
}

bool closeCommand(AnimeEditor& e)
{
    std::string path;
    if (!e.dialogs().chooseSaveFile(fileAnimation, path) || path.empty()) return false;
    if (!writeAll(e, path)) return false; // nothing is thrown away unsaved
    e.state.filename.clear();
    e.resetDocument();
    return true;
}

bool saveCommand(AnimeEditor& e)
{
    if (e.state.filename.empty()) {
        std::string path;
        if (!e.dialogs().chooseSaveFile(fileAnimation, path) || path.empty()) return false;
        if (writeAll(e, path)) e.state.filename = path;
        return false;
    }
    writeAll(e, e.state.filename);
    return false;
}

bool saveAsCommand(AnimeEditor& e)
{
    std::string path;
    if (!e.dialogs().chooseSaveFile(fileAnimation, path) || path.empty()) return false;
    writeAll(e, path);
    return true;
}

bool optionsdialog(AnimeDialogs& dialogs, SettingsStore* store, AnimatorSettings& settings)
{
    OptionsValues values = optionsValuesOf(settings);
    if (dialogs.optionsBox(animatorOptionsLayout(), values) < 0) return false;
    takeOptionsValues(values, settings);
    if (store) saveAnimatorSettings(*store, settings);
    return true;
}

bool optionsCommand(AnimeEditor& e)
{
    if (!askbox("設定を変更するとプログラムを終了しなければなりません\n保存していないデータはすべて失われます\nオプションを変更しますか？"))
        return false;
    if (!optionsdialog(e.dialogs(), e.store, e.settings)) return false;
    errorbox("オプションが変更されました\nプログラムを終了します");
    e.host().closeMainWindow();
    return false;
}

} // namespace quillo::animeditor
