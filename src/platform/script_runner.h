// Runs --script files: the words of each line, the answers queued for the
// dialogs, and the check that every answer was used. Programs add their
// verbs (cmd, key, mouse ...) as rows of a verb table.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "scripted_dialogs.h"

namespace quillo {

// Splits a script line into words: blanks separate, "double quotes" group
// (with \" and \\ inside), # starts a comment. False on an open quote.
bool splitScriptLine(const std::string& line, std::vector<std::string>& words);

// Queues the answers that stand before the first other line (for the
// dialogs of start-up) and returns how many lines they took; -1 with
// `error` set ("line N: why") on a broken line.
int queueLeadingAnswers(ScriptedDialogs& dialogs, const std::string& script, std::string& error);

using ScriptWords = std::vector<std::string>;

// What readScript does with a line that is neither blank, a comment, an
// answer nor an expectation; false with `why` set refuses the line.
using ScriptLineHandler = std::function<bool(const ScriptWords& words, std::string& why)>;

// Reads a script from line `skip` + 1 on and runs nothing itself: answer
// and expect lines are queued into `dialogs`, the words of every other line
// go to `verbLine`. Stops at the first line that does not split or is
// refused, with `error` set to "line N: why". The parse of every program's
// --script, also used alone to check a script without running it.
bool readScript(const std::string& script, int skip, ScriptedDialogs& dialogs, const ScriptLineHandler& verbLine,
                std::string& error);

// One verb of a script: its name, how many arguments it takes, whether an
// answer may stay unused after it (cmd, key, click, drag, rdrag, mouse
// consume the answers queued before them), and what it does. `run` returns
// false with `why` set when the line fails.
struct ScriptVerb {
    const char* name;
    int fewest;
    int most; // -1: any number
    bool consumes;
    std::function<bool(const ScriptWords& words, std::string& why)> run;
};

// Whether the words after the verb are as many as it takes; false with
// `why` saying how many it takes.
bool argumentsFit(const ScriptVerb& verb, const ScriptWords& words, std::string& why);

// Reads words[from ...] as whole numbers; false with `why` naming the first
// word that is not one.
bool wholeNumbers(const ScriptWords& words, size_t from, std::vector<int>& values, std::string& why);

class ScriptRunner {
public:
    explicit ScriptRunner(ScriptedDialogs& dialogs) : dialogs_(dialogs) {}
    virtual ~ScriptRunner() = default;

    // Adds a verb, or replaces the verb of the same name.
    void addVerb(ScriptVerb verb);

    // Runs the script from line `skip` + 1 on (the leading answers already
    // queued). False with error() set: "line N: why".
    bool run(const std::string& script, int skip = 0);
    // Reads the whole script without running a verb: every line splits,
    // every answer is well formed (queued into the dialogs, so a check
    // wants a runner of its own), every other line names a verb with a
    // fitting number of arguments. False with error() set as for run.
    bool check(const std::string& script);
    const std::string& error() const { return error_; }

protected:
    // Checked before every verb; false with `why` set stops the run.
    virtual bool ready(std::string& /*why*/) { return true; }
    // After a line that consumes answers ran.
    virtual void afterConsumingLine() {}

    ScriptedDialogs& dialogs_;

private:
    // The verb of this name, else null with `why` set.
    const ScriptVerb* findVerb(const std::string& name, std::string& why) const;
    bool runLine(const ScriptWords& words, std::string& why, bool& consumes);

    std::vector<ScriptVerb> verbs_;
    std::string error_;
};

} // namespace quillo
