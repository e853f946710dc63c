// The --script verbs that every editor shares, over its command table and
// its window: cmd, key, mouse, rdrag, render, resize and screenshot (the
// answers, expectations and comments come with ScriptRunner). An editor
// adds its own verbs (click, pick, state ...) with addVerb.
#pragma once

#include <string>

#include "command_table.h"
#include "script_runner.h"

namespace quillo {

// What a script asks of the editor's window. Without a window the frame is
// still drawn and rendered, but there is nothing to resize or photograph.
class ScriptView {
public:
    virtual ~ScriptView() = default;
    // Draws the current frame (so that picking sees fresh screen positions).
    virtual void drawFrame() = 0;
    // Writes the current frame, as presented with its overlay, to a PNG file.
    virtual bool writeRender(const std::string& path, std::string& why) = 0;
    // Writes a picture of the whole window, menus included.
    virtual bool writeScreenshot(const std::string& path, std::string& why);
    virtual bool resizeWindow(int width, int height, std::string& why);
};

class EditorScript : public ScriptRunner {
public:
    EditorScript(ScriptedDialogs& dialogs, const CommandTable& commands, ScriptView& view);

protected:
    // The editor's own entry points: a command through its dispatcher and
    // a mouse sample (button sum: right 1, middle 2, left 4).
    virtual void dispatch(int command) = 0;
    virtual void mouse(int x, int y, int buttons) = 0;

    void afterConsumingLine() override { view_.drawFrame(); }

    const CommandTable& commands_;
    ScriptView& view_;
};

} // namespace quillo
