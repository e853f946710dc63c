#include "script_runner.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace quillo {

bool splitScriptLine(const std::string& line, std::vector<std::string>& words)
{
    words.clear();
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#') break;
        std::string word;
        if (c == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
                    word += line[i + 1];
                    i += 2;
                } else if (line[i] == '"') {
                    closed = true;
                    ++i;
                    break;
                } else {
                    word += line[i++];
                }
            }
            if (!closed) return false;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') word += line[i++];
        }
        words.push_back(word);
    }
    return true;
}

namespace {

bool answerLine(ScriptedDialogs& dialogs, const std::vector<std::string>& words, std::string& why)
{
    if (words[0] == "answer") {
        std::vector<std::string> rest(words.begin() + 1, words.end());
        return dialogs.queueWords(rest, why);
    }
    // expect message TEXT
    if (words.size() != 3 || words[1] != "message") {
        why = "expect takes: message TEXT";
        return false;
    }
    return dialogs.queueWords({"message", words[2]}, why);
}

} // namespace

int queueLeadingAnswers(ScriptedDialogs& dialogs, const std::string& script, std::string& error)
{
    std::istringstream in(script);
    std::string line;
    std::vector<std::string> words;
    int number = 0, leading = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!splitScriptLine(line, words)) break; // reported when run
        if (words.empty()) continue;
        if (words[0] != "answer" && words[0] != "expect") break;
        std::string why;
        if (!answerLine(dialogs, words, why)) {
            error = "line " + std::to_string(number) + ": " + why;
            return -1;
        }
        leading = number;
    }
    return leading;
}

bool wholeNumbers(const ScriptWords& words, size_t from, std::vector<int>& values, std::string& why)
{
    values.clear();
    for (size_t i = from; i < words.size(); ++i) {
        char* end = nullptr;
        const long v = std::strtol(words[i].c_str(), &end, 10);
        if (words[i].empty() || *end != '\0' || v < -2147483647L || v > 2147483647L) {
            why = "\"" + words[i] + "\" is not a whole number";
            return false;
        }
        values.push_back(int(v));
    }
    return true;
}

void ScriptRunner::addVerb(ScriptVerb verb)
{
    for (ScriptVerb& v : verbs_)
        if (std::string(v.name) == verb.name) {
            v = std::move(verb);
            return;
        }
    verbs_.push_back(std::move(verb));
}

const ScriptVerb* ScriptRunner::findVerb(const std::string& name, std::string& why) const
{
    for (const ScriptVerb& v : verbs_)
        if (name == v.name) return &v;
    why = "unknown verb \"" + name + "\"";
    return nullptr;
}

bool argumentsFit(const ScriptVerb& v, const ScriptWords& w, std::string& why)
{
    const int args = int(w.size()) - 1;
    if (args >= v.fewest && (v.most < 0 || args <= v.most)) return true;
    why = w[0] + " takes " +
          (v.fewest == v.most ? std::to_string(v.fewest)
                              : v.most < 0 ? "at least " + std::to_string(v.fewest)
                                           : std::to_string(v.fewest) + " to " + std::to_string(v.most)) +
          " arguments";
    return false;
}

bool ScriptRunner::runLine(const ScriptWords& w, std::string& why, bool& consumes)
{
    const ScriptVerb* v = findVerb(w[0], why);
    if (!v) return false;
    consumes = v->consumes;
    if (!ready(why) || !argumentsFit(*v, w, why) || !v->run(w, why)) return false;
    if (consumes) afterConsumingLine();
    return true;
}

bool readScript(const std::string& script, int skip, ScriptedDialogs& dialogs, const ScriptLineHandler& verbLine,
                std::string& error)
{
    std::istringstream in(script);
    std::string line;
    std::vector<std::string> words;
    int number = 0;
    auto failAt = [&](const std::string& why) {
        error = "line " + std::to_string(number) + ": " + why;
        return false;
    };
    while (std::getline(in, line)) {
        ++number;
        if (number <= skip) continue;
        if (!splitScriptLine(line, words)) return failAt("a quote is not closed");
        if (words.empty()) continue;
        std::string why;
        if (words[0] == "answer" || words[0] == "expect") {
            if (!answerLine(dialogs, words, why)) return failAt(why);
        } else if (!verbLine(words, why)) {
            return failAt(why);
        }
    }
    return true;
}

bool ScriptRunner::run(const std::string& script, int skip)
{
    error_.clear();
    const bool ok = readScript(script, skip, dialogs_, [this](const ScriptWords& words, std::string& why) {
        bool consumes = false;
        const bool done = runLine(words, why, consumes);
        if (!dialogs_.failure().empty()) {
            why = dialogs_.failure();
            return false;
        }
        if (!done) return false;
        if (consumes && dialogs_.pending()) {
            why = "the answer \"" + dialogs_.next().kind + "\" was not used";
            return false;
        }
        return true;
    }, error_);
    if (!ok) return false;
    if (dialogs_.pending()) {
        const int lines = int(std::count(script.begin(), script.end(), '\n')) +
                          (!script.empty() && script.back() != '\n' ? 1 : 0);
        error_ = "line " + std::to_string(lines) + ": the answer \"" + dialogs_.next().kind + "\" was not used by the end";
        return false;
    }
    return true;
}

bool ScriptRunner::check(const std::string& script)
{
    error_.clear();
    return readScript(script, 0, dialogs_, [this](const ScriptWords& words, std::string& why) {
        const ScriptVerb* v = findVerb(words[0], why);
        return v && argumentsFit(*v, words, why);
    }, error_);
}

} // namespace quillo
