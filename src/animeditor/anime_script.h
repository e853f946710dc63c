// The animation editor's --script verbs beyond the shared ones: state,
// setpose, play, frames, dump, sounds and selector.
#pragma once

#include <ostream>

#include "anime_editor.h"
#include "platform/editor_script.h"

namespace quillo::anim {
class RecordingSoundDevice;
}

namespace quillo::animeditor {

class AnimeScript : public EditorScript {
public:
    // `sound`: the recording device of a script run, for `sounds` (may be null).
    AnimeScript(AnimeEditor& editor, ScriptedDialogs& dialogs, ScriptView& view, std::ostream& out,
                anim::RecordingSoundDevice* sound = nullptr);

protected:
    void dispatch(int command) override;
    void mouse(int x, int y, int buttons) override;

private:
    void printState();
    bool setpose(const ScriptWords& w, std::string& why);
    bool play(const ScriptWords& w, std::string& why);
    bool frames(const ScriptWords& w, std::string& why);
    bool dump(const ScriptWords& w, std::string& why);
    bool selector(const ScriptWords& w, std::string& why);
    // Writes the frame as presented to PATTERN with `n` in it ("%04d").
    bool writeNumbered(const std::string& pattern, int n, std::string& why);

    AnimeEditor& editor_;
    std::ostream& out_;
    anim::RecordingSoundDevice* sound_;
};

// A file name from a pattern with one integer conversion ("out/f%04d.png");
// false when the pattern has no such conversion or another one.
bool numberedPath(const std::string& pattern, int n, std::string& path);

} // namespace quillo::animeditor
