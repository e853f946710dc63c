#include "script_harness.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <sstream>
#include <vector>

#include "animation/recording_sound_device.h"
#include "animeditor/anime_editor.h"
#include "animeditor/anime_script.h"
#include "animeditor/scripted_anime_dialogs.h"
#include "facesmith_script_line.h"
#include "modeler/model_editor.h"
#include "modeler/modeler_script.h"
#include "platform/scripted_model_dialogs.h"
#include "platform/settings_store.h"
#include "saver/saver_script_line.h"

namespace quillo::fuzz {

namespace {

// A view for reading only: nothing is drawn or written.
struct NoView : ScriptView {
    void drawFrame() override {}
    bool writeRender(const std::string&, std::string& why) override
    {
        why = "no view";
        return false;
    }
};

int lineCount(const std::string& s)
{
    return int(std::count(s.begin(), s.end(), '\n')) + (!s.empty() && s.back() != '\n' ? 1 : 0);
}

// A word in double quotes, as a script writes any word.
std::string quoted(const std::string& word)
{
    std::string q = "\"";
    for (char c : word) {
        if (c == '"' || c == '\\') q += '\\';
        q += c;
    }
    return q + "\"";
}

// Properties of any reading: a refusal names a line of the script and a
// reason; the same reader on the same script answers the same; every line
// that splits splits the same once its words are quoted again.
std::string readingProperties(const std::string& script, const std::function<bool(std::string&)>& read)
{
    std::string error, again;
    const bool ok = read(error);
    if (read(again) != ok || again != error) return "a second reading differs: \"" + error + "\", \"" + again + "\"";
    if (ok != error.empty()) return "the result and the message disagree: \"" + error + "\"";
    if (!ok) {
        int line = 0;
        char rest = 0;
        if (std::sscanf(error.c_str(), "line %d: %c", &line, &rest) != 2 || line < 1 || line > lineCount(script))
            return "the refusal names no line of the script: \"" + error + "\"";
    }
    std::istringstream in(script);
    std::string line;
    std::vector<std::string> words, requoted;
    while (std::getline(in, line)) {
        if (!splitScriptLine(line, words)) continue;
        std::string joined;
        for (const std::string& w : words) joined += quoted(w) + " ";
        if (!splitScriptLine(joined, requoted) || requoted != words) return "quoting changes the words of \"" + line + "\"";
    }
    return "";
}

std::string text(const uint8_t* data, size_t size) { return std::string(reinterpret_cast<const char*>(data), size); }

} // namespace

std::string modelerScript(const uint8_t* data, size_t size)
{
    // One editor for every input: reading changes nothing in it.
    static ScriptedModelDialogs editorDialogs;
    static MemorySettingsStore store;
    static ModelEditor editor(editorDialogs, store);
    static NoView view;
    const std::string script = text(data, size);
    return readingProperties(script, [&](std::string& error) {
        ScriptedModelDialogs answers;
        std::ostringstream out;
        ModelerScript reader(editor, answers, view, out);
        const bool ok = reader.check(script);
        error = reader.error();
        return ok;
    });
}

std::string animeScript(const uint8_t* data, size_t size)
{
    static ScriptedAnimeDialogs editorDialogs;
    static anim::RecordingSoundDevice sound;
    static const engine3d::EngineSettings engine = [] {
        engine3d::EngineSettings s;
        s.maxWidth = 64;
        s.maxHight = 48;
        return s;
    }();
    static animeditor::AnimeEditor editor(editorDialogs, sound, engine);
    static NoView view;
    const std::string script = text(data, size);
    return readingProperties(script, [&](std::string& error) {
        ScriptedAnimeDialogs answers;
        std::ostringstream out;
        animeditor::AnimeScript reader(editor, answers, view, out);
        const bool ok = reader.check(script);
        error = reader.error();
        return ok;
    });
}

std::string facesmithScript(const uint8_t* data, size_t size)
{
    const std::string script = text(data, size);
    return readingProperties(script, [&](std::string& error) {
        ScriptedDialogs answers;
        return readScript(script, 0, answers, [](const ScriptWords& words, std::string& why) {
            FacesmithLine line;
            return readFacesmithLine(words, line, why);
        }, error);
    });
}

std::string saverScript(const uint8_t* data, size_t size)
{
    const std::string script = text(data, size);
    for (const SaverScriptPart part : {SaverScriptPart::dialog, SaverScriptPart::window}) {
        const std::string broken = readingProperties(script, [&](std::string& error) {
            ScriptedDialogs answers;
            return readScript(script, 0, answers, [part](const ScriptWords& words, std::string& why) {
                SaverLine line;
                return readSaverLine(part, words, line, why);
            }, error);
        });
        if (!broken.empty()) return (part == SaverScriptPart::dialog ? "-c: " : "-s: ") + broken;
    }
    return "";
}

} // namespace quillo::fuzz
