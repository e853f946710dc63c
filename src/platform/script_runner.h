// Runs --script files: the words of each line, the answers queued for the
// dialogs, and the check that every answer was used. Programs add their
// own verbs (cmd, key, mouse ...) by overriding runVerb.
#pragma once

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

class ScriptRunner {
public:
    explicit ScriptRunner(ScriptedDialogs& dialogs) : dialogs_(dialogs) {}
    virtual ~ScriptRunner() = default;

    // Runs the script from line `skip` + 1 on (the leading answers already
    // queued). False with error() set: "line N: why".
    bool run(const std::string& script, int skip = 0);
    const std::string& error() const { return error_; }

protected:
    // One line that is neither an answer nor an expectation. Returns false
    // with `why` set when it fails; `consumes` is set for lines after which
    // no answer may stay unused (cmd, key, click, drag, rdrag, mouse).
    virtual bool runVerb(const std::vector<std::string>& words, std::string& why, bool& consumes) = 0;

    ScriptedDialogs& dialogs_;

private:
    std::string error_;
};

} // namespace quillo
