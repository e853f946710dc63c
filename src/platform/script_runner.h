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

class ScriptRunner {
public:
    explicit ScriptRunner(ScriptedDialogs& dialogs) : dialogs_(dialogs) {}
    virtual ~ScriptRunner() = default;

    // Queues the answers that stand before the first other line (for the
    // dialogs of start-up). Returns false on a broken line.
    bool queueLeadingAnswers(const std::string& script);
    // Runs the whole script (leading answers already queued are skipped).
    // False with error() set: "line N: why".
    bool run(const std::string& script);
    const std::string& error() const { return error_; }

protected:
    // One line that is neither an answer nor an expectation. Returns false
    // with `why` set when it fails; `consumes` is set for lines after which
    // no answer may stay unused (cmd, key, click, drag, rdrag, mouse).
    virtual bool runVerb(const std::vector<std::string>& words, std::string& why, bool& consumes) = 0;

    ScriptedDialogs& dialogs_;

private:
    bool answerLine(const std::vector<std::string>& words, std::string& why);
    std::string error_;
    size_t leadingLines_ = 0;
};

} // namespace quillo
