// A model editor for the editing-command tests: scripted dialogs that also
// record what the select and input boxes were shown, and small helpers to
// pick faces and look at the model.
#pragma once

#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/messages.h"
#include "modeler/model_editor.h"
#include "modeler/modeler_script.h"
#include "platform/scripted_model_dialogs.h"
#include "../support/temp_dir.h"
#include "editor_fixture.h"

namespace quillo::test {

struct RecordingDialogs : ScriptedModelDialogs {
    std::vector<std::vector<std::string>> selectLists;
    std::vector<std::string> selectTexts;
    std::vector<std::string> prompts;
    std::vector<std::string> presets; // what each input box showed when it opened
    int paletteBoxes = 0;

    int selectBoxShown(const std::vector<std::string>& names, const std::string& text, int start) override
    {
        selectLists.push_back(names);
        selectTexts.push_back(text);
        return ScriptedModelDialogs::selectBoxShown(names, text, start);
    }
    int inputBox(const std::string& prompt, std::string& answer) override
    {
        prompts.push_back(prompt);
        presets.push_back(answer);
        return ScriptedModelDialogs::inputBox(prompt, answer);
    }
    int paletteBox(const GMTBL& table) override
    {
        ++paletteBoxes;
        return ScriptedModelDialogs::paletteBox(table);
    }
};

struct EditFixture : BasicEditorFixture<RecordingDialogs> {
    // The same with every answer the object and part choice need.
    void openAnswering(const std::string& name, const std::string& text,
                       const std::vector<std::vector<std::string>>& answers)
    {
        writeText(dir / name, text);
        answer({"file", dir / name});
        for (const auto& a : answers) answer(a);
        editor.dispatch(101);
        draw();
    }
    bool run(int command)
    {
        bool changed = editor.dispatch(command);
        draw();
        return changed;
    }
    EditorState& state() { return editor.state; }
    // The part of the current object with this name.
    ModelPart* part(const char* name)
    {
        for (ModelPart* p : object().partList)
            if (std::strcmp(p->name, name) == 0) return p;
        return nullptr;
    }
    // Picks face `index` of `p` and its corner `corner`, as a click would.
    void pick(const ModelPart* p, int index, int corner = 0)
    {
        const Face& f = p->faces[index];
        for (int k = 0; k < 4; ++k) editor.state.pickface.c[k] = f.index(k);
        editor.state.pickpoint = f.index(corner);
    }
    // The grid coordinates of vertex i.
    std::vector<int> grid(int i)
    {
        const Vertex& v = object().vertices[i];
        return {int(v.x / dt), int(v.y / dt), int(v.z / dt)};
    }
    // The first vertex at these grid coordinates (-1: none), and how many lie there.
    int vertexAt(const std::vector<int>& place)
    {
        for (int i = 0; i < object().vertices.count(); ++i)
            if (grid(i) == place) return i;
        return -1;
    }
    int verticesAt(const std::vector<int>& place)
    {
        int n = 0;
        for (int i = 0; i < object().vertices.count(); ++i) n += grid(i) == place;
        return n;
    }
    std::string failure() const { return dialogs.failure(); }
};

// twoLayers() opened with its front part current; every scripted dialog
// must have been answered as expected by the end of the test.
struct FrontPartTest : ::testing::Test {
    EditFixture f;
    ModelPart* front = nullptr;
    void SetUp() override
    {
        f.open("m.md4", twoLayers(), {"select", "0"});
        front = f.part("front");
        ASSERT_NE(front, nullptr);
    }
    void TearDown() override { EXPECT_TRUE(f.failure().empty()) << f.failure(); }
};

inline bool sameRecord(const Face& a, const Face& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Corners of a face as a list, for readable comparisons.
inline std::vector<int> corners(const Face& f) { return {f.vertexA, f.vertexB, f.vertexC, f.vertexD}; }

// Runs `script` with the fixture's directory as the working directory, as
// the program would; frames are drawn without a window so picking works.
inline bool runScript(EditFixture& f, const std::string& script, std::string& error, std::string* output = nullptr)
{
    struct FrameOnly : ScriptView {
        EditFixture& f;
        explicit FrameOnly(EditFixture& fixture) : f(fixture) {}
        void drawFrame() override { f.draw(); }
        bool writeRender(const std::string&, std::string& why) override
        {
            why = "no rendering here";
            return false;
        }
    } view(f);
    std::ostringstream out;
    ModelerScript runner(f.editor, f.dialogs, view, out);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(f.dir.str());
    const bool ok = runner.run(script);
    std::filesystem::current_path(before);
    error = runner.error();
    if (output) *output = out.str();
    return ok;
}

} // namespace quillo::test
