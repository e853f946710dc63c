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
    const std::string& error() const { return error_; }

protected:
    // Checked before every verb; false with `why` set stops the run.
    virtual bool ready(std::string& /*why*/) { return true; }
    // After a line that consumes answers ran.
    virtual void afterConsumingLine() {}

    ScriptedDialogs& dialogs_;

private:
    bool runLine(const ScriptWords& words, std::string& why, bool& consumes);

    std::vector<ScriptVerb> verbs_;
    std::string error_;
};

} // namespace quillo
