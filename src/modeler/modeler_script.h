// The model editor's --script verbs: cmd, key, mouse, click, drag, rdrag,
// pick, select, render and state, run against the real dispatcher.
#pragma once

#include <functional>
#include <ostream>

#include "model_editor.h"
#include "platform/script_runner.h"

namespace quillo {

class ModelerScript : public ScriptRunner {
public:
    using Writer = std::function<bool(const std::string& path, std::string& why)>;
    // `drawFrame` draws the current frame (so that picking sees fresh
    // screen positions); `render` writes it, with the overlay, to a PNG;
    // `screenshot` writes the whole window (null when there is none).
    ModelerScript(ModelEditor& editor, ScriptedDialogs& dialogs, std::function<void()> drawFrame, Writer render,
                  std::ostream& out, Writer screenshot = nullptr);
    // Resizes the window (the `resize W H` verb); none without a window.
    std::function<void(int width, int height)> resizeWindow;

protected:
    bool runVerb(const std::vector<std::string>& words, std::string& why, bool& consumes) override;

private:
    bool numbers(const std::vector<std::string>& words, size_t from, size_t count, std::vector<int>& values,
                 std::string& why) const;
    ModelPart* partNamed(const std::string& name) const;
    void printState();

    ModelEditor& editor_;
    std::function<void()> drawFrame_;
    Writer render_;
    Writer screenshot_;
    std::ostream& out_;
};

} // namespace quillo
