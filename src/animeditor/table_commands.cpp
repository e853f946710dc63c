// The dialogue, background and sound tables: the choice boxes 202-204 with
// their "新規登録" entry and the propagation of the choice into the recorded
// frames, and the add commands 303-305 (which leave the frames alone).
#include "anime_editor.h"
#include "anime_handlers.h"

#include <cstring>

#include "model/text_util.h"

namespace quillo::animeditor {

namespace {

constexpr size_t lineLimit = 80; // bytes of a typed dialogue line

int32_t frameWord(const unsigned char* record, int word)
{
    int32_t v;
    std::memcpy(&v, record + 4 * word, 4);
    return v;
}

// From the current frame on, frames that hold the current frame's value in
// `word` take `value`; the first frame holding anything else stops it.
void propagate(anim::Scene& scene, int word, int32_t value)
{
    if (scene.frameIndex >= scene.frames.count() || scene.recordSize() < 4 * (word + 1)) return;
    const int32_t old = frameWord(scene.frames.at(scene.frameIndex), word);
    for (int i = scene.frameIndex; i < scene.frames.count(); ++i) {
        unsigned char* r = scene.frames.at(i);
        if (frameWord(r, word) != old) break;
        std::memcpy(r + 4 * word, &value, 4);
    }
}

void showDialogueEntry(AnimeEditor& e, int index)
{
    anim::AnimationDocument& doc = e.document();
    if (index == doc.currentDialogue) return;
    doc.currentDialogue = index;
    e.showDialogue(index > 0 ? doc.dialogue[size_t(index)] : "");
}

void showBackgroundEntry(AnimeEditor& e, int index)
{
    anim::AnimationDocument& doc = e.document();
    if (index == doc.currentBackground) return;
    doc.currentBackground = index;
    e.showBackground(index > 0 ? doc.backgrounds[size_t(index)] : "");
}

int newDialogue(AnimeEditor& e, const char* prompt)
{
    std::string line;
    if (e.dialogs().inputBox(prompt, line) < 0) return -1;
    return e.document().addDialogue(cutUtf8(line, lineLimit));
}

int newBackground(AnimeEditor& e)
{
    std::string path;
    if (!e.dialogs().chooseFile(fileBmp, path) || path.empty()) return -1;
    return e.document().addBackground(path);
}

int newSound(AnimeEditor& e)
{
    std::string path;
    if (!e.dialogs().chooseFile(fileWave, path) || path.empty()) return -1;
    return e.document().music.add(path);
}

} // namespace

bool tableChoiceCommand(AnimeEditor& e, int command)
{
    anim::AnimationDocument& doc = e.document();
    std::vector<std::string> names{"（なし）"};
    if (command == id(Cmd::ChooseDialogue))
        names.insert(names.end(), doc.dialogue.begin() + 1, doc.dialogue.end());
    else if (command == id(Cmd::ChooseBackground))
        names.insert(names.end(), doc.backgrounds.begin() + 1, doc.backgrounds.end());
    else
        for (int i = 1; i < doc.music.count(); ++i) names.push_back(doc.music.entry(i).path);
    names.push_back("新規登録");
    int chosen = selectbox(e.dialogs(), names, "", 0);
    if (chosen < 0) return false;
    if (chosen == int(names.size()) - 1) {
        chosen = command == id(Cmd::ChooseDialogue)     ? newDialogue(e, "新しい台詞を入力してください")
                 : command == id(Cmd::ChooseBackground) ? newBackground(e)
                                                        : newSound(e);
        if (chosen < 0) return false;
    }
    int word;
    if (command == id(Cmd::ChooseDialogue)) {
        showDialogueEntry(e, chosen);
        word = 1;
    } else if (command == id(Cmd::ChooseBackground)) {
        showBackgroundEntry(e, chosen);
        word = 2;
    } else {
        doc.music.select(chosen);
        word = 3;
    }
    propagate(doc.current(), word, chosen);
    return true;
}

bool addDialogueCommand(AnimeEditor& e)
{
    const int index = newDialogue(e, "台詞を入力してください");
    if (index < 0) return false;
    showDialogueEntry(e, index);
    return true;
}

bool addBackgroundCommand(AnimeEditor& e)
{
    const int index = newBackground(e);
    if (index < 0) {
        // Cancelling takes the shown background away.
        showBackgroundEntry(e, 0);
        return true;
    }
    showBackgroundEntry(e, index);
    return true;
}

bool addSoundCommand(AnimeEditor& e)
{
    std::string path;
    if (!e.dialogs().chooseFile(fileWave, path) || path.empty()) {
        e.document().music.select(0);
        return false;
    }
    const int index = e.document().music.add(path);
    if (index >= 0) e.document().music.select(index);
    return false;
}

} // namespace quillo::animeditor
