// The model editor's --script run: the shared editor verbs over its
// dispatcher, plus click, drag, pick, select and state.
#pragma once

#include <ostream>

#include "model_editor.h"
#include "platform/editor_script.h"

namespace quillo {

class ModelerScript : public EditorScript {
public:
    ModelerScript(ModelEditor& editor, ScriptedDialogs& dialogs, ScriptView& view, std::ostream& out);

protected:
    void dispatch(int command) override { editor_.dispatch(command); }
    void mouse(int x, int y, int buttons) override { editor_.mouse(x, y, buttons); }

private:
    // The part named by words[1] of the current object and the face numbers after it.
    ModelPart* partAndFaces(const ScriptWords& words, std::vector<int>& faces, std::string& why) const;
    bool pick(const ScriptWords& words, std::string& why);
    bool select(const ScriptWords& words, std::string& why);
    void printState();

    ModelEditor& editor_;
    std::ostream& out_;
};

} // namespace quillo
