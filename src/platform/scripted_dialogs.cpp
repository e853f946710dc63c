#include "scripted_dialogs.h"

#include <cstdlib>


namespace quillo {

namespace {

bool isNumber(const std::string& s, bool real);

} // namespace

// A fixed number of values, all numbers when `numbers` (reals when `real`).
bool keyValueAnswer(const std::vector<std::string>& values, std::string& error)
{
    for (const std::string& v : values)
        if (v.find('=') == std::string::npos) {
            error = "answer options takes KEY=VALUE pairs";
            return false;
        }
    return true;
}

bool answerValues(const std::string& kind, const std::vector<std::string>& values, size_t n, bool numbers,
                  bool real, std::string& error)
{
    if (values.size() != n) {
        error = "answer " + kind + " takes " + std::to_string(n) + " values";
        return false;
    }
    if (numbers)
        for (const std::string& v : values)
            if (!isNumber(v, real)) {
                error = "answer " + kind + ": \"" + v + "\" is not a number";
                return false;
            }
    return true;
}

namespace {

bool isNumber(const std::string& s, bool real)
{
    if (s.empty()) return false;
    char* end = nullptr;
    if (real)
        std::strtod(s.c_str(), &end);
    else
        std::strtol(s.c_str(), &end, 10);
    return end && *end == '\0';
}

} // namespace

bool ScriptedDialogs::queueWords(const std::vector<std::string>& w, std::string& error)
{
    if (w.empty()) {
        error = "an answer needs a kind";
        return false;
    }
    const std::string& kind = w[0];
    std::vector<std::string> values(w.begin() + 1, w.end());
    auto need = [&](size_t n, bool numbers, bool real) { return answerValues(kind, values, n, numbers, real, error); };
    bool ok = true;
    if (kind == "input" || kind == "file" || kind == "message") {
        ok = need(1, false, false);
    } else if (kind == "select") {
        ok = need(1, true, false);
    } else if (kind == "ask") {
        ok = need(1, false, false) && (values[0] == "yes" || values[0] == "no");
        if (!ok && error.empty()) error = "answer ask takes yes or no";
    } else if (kind == "reorder") {
        for (const std::string& v : values)
            if (!isNumber(v, false)) {
                error = "answer reorder: \"" + v + "\" is not an index";
                return false;
            }
    } else if (kind == "cancel") {
        ok = need(0, false, false);
    } else {
        bool known = true;
        ok = checkOwnAnswer(kind, values, error, known);
        if (!known) {
            error = "unknown answer kind \"" + kind + "\"";
            return false;
        }
    }
    if (ok) queue(ScriptAnswer{kind, values});
    return ok;
}

bool ScriptedDialogs::checkOwnAnswer(const std::string&, const std::vector<std::string>&, std::string&, bool& known)
{
    known = false;
    return false;
}

void ScriptedDialogs::fail(const std::string& why)
{
    if (failure_.empty()) failure_ = why;
}

const ScriptAnswer* ScriptedDialogs::take(const char* kind, const std::string& dialog, bool* cancelled)
{
    if (cancelled) *cancelled = false;
    if (!failure_.empty()) return nullptr;
    if (answers_.empty()) {
        fail("the " + dialog + " came up with no answer for it");
        return nullptr;
    }
    const ScriptAnswer& a = answers_.front();
    if (a.kind == "cancel" && cancelled) {
        answers_.pop_front();
        *cancelled = true;
        return nullptr;
    }
    if (a.kind != kind) {
        fail("the " + dialog + " came up but the next answer is \"" + a.kind + "\"");
        return nullptr;
    }
    current_ = a;
    answers_.pop_front();
    return &current_;
}

void ScriptedDialogs::error(const std::string& text)
{
    shown.push_back(text);
    if (!failure_.empty()) return;
    if (answers_.empty() || answers_.front().kind != "message") {
        fail("unexpected message box: \"" + text + "\"");
        return;
    }
    std::string expected = answers_.front().values[0];
    answers_.pop_front();
    // "\n" in a script stands for a line break.
    std::string unescaped;
    for (size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] == '\\' && i + 1 < expected.size() && expected[i + 1] == 'n') {
            unescaped += '\n';
            ++i;
        } else {
            unescaped += expected[i];
        }
    }
    if (unescaped != text) fail("the message box shows \"" + text + "\", not \"" + unescaped + "\"");
}

bool ScriptedDialogs::ask(const std::string& text)
{
    shown.push_back(text);
    const ScriptAnswer* a = take("ask", "question \"" + text + "\"", nullptr);
    return a && a->values[0] == "yes";
}

bool ScriptedDialogs::chooseFile(FileType, std::string& path)
{
    bool cancelled;
    const ScriptAnswer* a = take("file", "file dialog", &cancelled);
    if (!a) return false;
    path = a->values[0];
    return true;
}

bool ScriptedDialogs::chooseSaveFile(FileType type, std::string& path) { return chooseFile(type, path); }

int ScriptedDialogs::inputBox(const std::string& prompt, std::string& answer)
{
    prompts.push_back(prompt);
    bool cancelled;
    const ScriptAnswer* a = take("input", "input box \"" + prompt + "\"", &cancelled);
    if (!a) return -1;
    answer = a->values[0].substr(0, 255);
    return int(answer.size());
}

int ScriptedDialogs::selectBoxShown(const std::vector<std::string>&, const std::string&, int)
{
    bool cancelled;
    const ScriptAnswer* a = take("select", "select box", &cancelled);
    return a ? std::atoi(a->values[0].c_str()) : -1;
}

int ScriptedDialogs::reorderBox(const std::vector<std::string>& names, std::vector<int>& order)
{
    bool cancelled;
    const ScriptAnswer* a = take("reorder", "reorder box", &cancelled);
    if (!a) return -1;
    std::vector<int> result;
    std::vector<bool> seen(names.size(), false);
    for (const std::string& v : a->values) {
        int i = std::atoi(v.c_str());
        if (i < 0 || i >= int(names.size()) || seen[size_t(i)]) {
            fail("answer reorder: " + v + " is not a fresh index below " + std::to_string(names.size()));
            return -1;
        }
        seen[size_t(i)] = true;
        result.push_back(i);
    }
    if (result.size() != names.size()) {
        fail("answer reorder names " + std::to_string(result.size()) + " entries, the list has " +
             std::to_string(names.size()));
        return -1;
    }
    order = result;
    return 1;
}

} // namespace quillo
