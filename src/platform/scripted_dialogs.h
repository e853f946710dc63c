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
    // input, select, ask, file, colour, texture, mag, reorder, palette,
    // options, cancel, or message (an expected message box text).
    std::string kind;
    std::vector<std::string> values;
};

class ScriptedDialogs : public Dialogs {
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

    void error(const std::string& text) override;
    bool ask(const std::string& text) override;
    bool chooseFile(FileType type, std::string& path) override;
    bool chooseSaveFile(FileType type, std::string& path) override;
    int inputBox(const std::string& prompt, std::string& answer) override;
    int selectBoxShown(const std::vector<std::string>& names, const std::string& text, int start) override;
    int colourBox(ColourValues& values) override;
    int paletteBox(const GMTBL& table) override;
    int textureBox(TextureChoice& choice) override;
    int magBox(float& x, float& y, float& z) override;
    int reorderBox(const std::vector<std::string>& names, std::vector<int>& order) override;
    int optionsBox(EditorSettings& settings) override;

private:
    // The next answer if it is of `kind`; null after recording a failure,
    // or when it is "cancel" (then *cancelled is set).
    const ScriptAnswer* take(const char* kind, const std::string& dialog, bool* cancelled);
    void fail(const std::string& why);

    std::deque<ScriptAnswer> answers_;
    ScriptAnswer current_;
    std::string failure_;
};

} // namespace quillo
