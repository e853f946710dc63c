// Dialogs answered from a queue instead of shown: what tests and --script
// runs use. Each dialog takes the next answer if it fits; otherwise the run
// has failed and `failure()` says why.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "dialogs.h"

namespace quillo {

struct ScriptAnswer {
    // input, select, ask, file, reorder, cancel, message (an expected
    // message box text), or a kind of an editor's own boxes.
    std::string kind;
    std::vector<std::string> values;
};

// Checks that an answer has `n` values, all numbers when `numbers` (reals
// when `real`); false with `error` set.
bool answerValues(const std::string& kind, const std::vector<std::string>& values, size_t n, bool numbers,
                  bool real, std::string& error);

// Checks that every value of an "answer options" line is KEY=VALUE; false
// with `error` set.
bool keyValueAnswer(const std::vector<std::string>& values, std::string& error);

class ScriptedDialogs : public virtual Dialogs {
public:
    void queue(ScriptAnswer answer) { answers_.push_back(std::move(answer)); }
    // Parses the words after "answer" (or "expect message"); false with
    // `error` set when they are not a valid answer.
    bool queueWords(const std::vector<std::string>& words, std::string& error);
    bool pending() const { return !answers_.empty(); }
    const ScriptAnswer& next() const { return answers_.front(); }
    void clear() { answers_.clear(); }
    const std::string& failure() const { return failure_; }
    void clearFailure() { failure_.clear(); }
    // Every message and question shown, in order.
    std::vector<std::string> shown;
    // Every input box's prompt, in order.
    std::vector<std::string> prompts;

    void error(const std::string& text) override;
    bool ask(const std::string& text) override;
    bool chooseFile(FileType type, std::string& path) override;
    bool chooseSaveFile(FileType type, std::string& path) override;
    int inputBox(const std::string& prompt, std::string& answer) override;
    int selectBoxShown(const std::vector<std::string>& names, const std::string& text, int start) override;
    int reorderBox(const std::vector<std::string>& names, std::vector<int>& order) override;

protected:
    // Checks the values of an answer of an editor's own kind; false with
    // `error` set when they do not fit, and `known` false for a kind the
    // editor does not have.
    virtual bool checkOwnAnswer(const std::string& kind, const std::vector<std::string>& values,
                                std::string& error, bool& known);
    // The next answer if it is of `kind`; null after recording a failure,
    // or when it is "cancel" (then *cancelled is set).
    const ScriptAnswer* take(const char* kind, const std::string& dialog, bool* cancelled);
    void fail(const std::string& why);

private:
    std::deque<ScriptAnswer> answers_;
    ScriptAnswer current_;
    std::string failure_;
};

} // namespace quillo
