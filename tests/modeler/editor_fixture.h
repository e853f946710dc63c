// A model editor with scripted dialogs, a memory settings store and a
// recording host, drawing into a 640 x 480 frame.
#pragma once

#include <string>
#include <vector>

#include "model/messages.h"
#include "modeler/model_editor.h"
#include "platform/scripted_model_dialogs.h"
#include "../support/temp_dir.h"

namespace quillo::test {

struct RecordingHost : EditorHost {
    std::vector<std::string> partNames, objectNames;
    int closed = 0, repaints = 0;
    std::vector<std::string> helpPages;
    std::vector<int> toolWindows;
    bool full = false;
    void fillSelector(int which, const std::vector<std::string>& names, int) override
    {
        (which == 300 ? objectNames : partNames) = names;
    }
    void showToolWindow(int id) override { toolWindows.push_back(id); }
    void closeMainWindow() override { ++closed; }
    void openHelp(const std::string& page) override { helpPages.push_back(page); }
    void requestRepaint() override { ++repaints; }
    bool fullscreen() const override { return full; }
};

// `Answers` is the scripted dialogs class (tests may record more).
template <class Answers>
struct BasicEditorFixture {
    Answers dialogs;
    MemorySettingsStore store;
    RecordingHost host;
    ModelEditor editor{dialogs, store, &host};
    Frame frame{640, 480, false};
    TempDir dir;

    BasicEditorFixture() { dt = defaultGridStep; }
    ~BasicEditorFixture() { dt = defaultGridStep; }

    void answer(std::vector<std::string> words)
    {
        std::string error;
        if (!dialogs.queueWords(words, error)) throw std::runtime_error(error);
    }
    // Writes `text` as a model file and opens it with command 101; `then`
    // answers the dialogs that opening brings up (the part choice).
    void open(const std::string& name, const std::string& text, std::vector<std::string> then = {})
    {
        writeText(dir / name, text);
        answer({"file", dir / name});
        if (!then.empty()) answer(then);
        editor.dispatch(101);
        draw();
    }
    void draw() { editor.drawFrame(frame); }
    ModelObject& object() { return *editor.state.currentobject; }
};

using EditorFixture = BasicEditorFixture<ScriptedModelDialogs>;

// A flat square of 2 x 2 quads facing the viewer, 1600 grid units wide,
// plus a second square behind it (z = 800) in part "back".
inline const char* twoLayers()
{
    return "ob o 0 0 0\n dt 0.0125\n"
           " v -800 -800 0\n v 0 -800 0\n v 800 -800 0\n v -800 0 0\n v 0 0 0\n v 800 0 0\n"
           " v -800 800 0\n v 0 800 0\n v 800 800 0\n"
           " v -800 -800 800\n v 800 -800 800\n v 800 800 800\n v -800 800 800\n"
           "pb front 0 0 0\n m 0.2 1 0\n c 200 100 50\n"
           " q 0 3 4 1\n q 1 4 5 2\n q 3 6 7 4\n q 4 7 8 5\n"
           " pb back 0 0 0\n  q 9 12 11 10\n pe back\n"
           "pe front\noe o\n";
}

} // namespace quillo::test
