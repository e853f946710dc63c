// The words of one quillosaver --script line, read without a window: which
// verb and what it names, for the settings dialog (-c) or the saver window
// (-s). The Qt scripts act on what this reads; the fuzz target of the
// saver's scripts reads alone.
#pragma once

#include <functional>
#include <string>

#include "platform/script_runner.h"
#include "saver_dialog.h"

namespace quillo {

// Which window a script drives: -c opens the dialog, -s the saver window.
enum class SaverScriptPart { dialog, window };

struct SaverLine {
    std::string verb;
    // dialog cmd: the button; set: 120; check: 150 or 160; verify: the
    // control (0 for "title").
    int control = 0;
    // check: 0 or 1; scroll track/position: the thumb; wait: milliseconds;
    // mouse, click: x and y.
    int number = 0, y = 0;
    ScrollRequest scroll = ScrollRequest::other; // scroll
    // set, verify: the text or value wanted; key: the key; render: the
    // path; window verify: the state's name.
    std::string text, name;
};

// Reads words[0] (the verb) and its arguments; false with `why` saying what
// the verb takes, or that there is no such verb.
bool readSaverLine(SaverScriptPart part, const ScriptWords& words, SaverLine& line, std::string& why);

// The verb `name` of `part` with the number of words it takes, running
// `run`: the scripts register their verbs through it, so the counts stand
// once, in the reader.
ScriptVerb saverVerb(SaverScriptPart part, const char* name, bool consumes,
                     std::function<bool(const ScriptWords&, std::string&)> run);

// The names the window's verify and state know, in the order state prints.
inline constexpr const char* saverStateNames[] = {"running", "failed", "finished", "steps", "clock"};

} // namespace quillo
