#include "scripted_dialogs.h"

#include <cstdlib>

#include "editor_settings.h"
#include "model/colour_table.h"

namespace quillo {

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

bool yes(const std::string& s) { return s == "yes" || s == "Yes" || s == "1" || s == "on" || s == "true"; }

} // namespace

bool ScriptedDialogs::queueWords(const std::vector<std::string>& w, std::string& error)
{
    if (w.empty()) {
        error = "an answer needs a kind";
        return false;
    }
    const std::string& kind = w[0];
    std::vector<std::string> values(w.begin() + 1, w.end());
    auto need = [&](size_t n, bool numbers, bool real) {
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
    };
    bool ok = true;
    if (kind == "input" || kind == "file" || kind == "message") {
        ok = need(1, false, false);
    } else if (kind == "select" || kind == "palette") {
        ok = need(1, true, false);
    } else if (kind == "ask") {
        ok = need(1, false, false) && (values[0] == "yes" || values[0] == "no");
        if (!ok && error.empty()) error = "answer ask takes yes or no";
    } else if (kind == "colour") {
        ok = need(6, true, true);
    } else if (kind == "texture") {
        ok = need(3, false, false) && (values[2] == "xy" || values[2] == "zy" || values[2] == "xz");
        if (!ok && error.empty()) error = "answer texture: the plane is xy, zy or xz";
    } else if (kind == "mag") {
        ok = need(3, true, true);
    } else if (kind == "reorder") {
        for (const std::string& v : values)
            if (!isNumber(v, false)) {
                error = "answer reorder: \"" + v + "\" is not an index";
                return false;
            }
    } else if (kind == "options") {
        for (const std::string& v : values)
            if (v.find('=') == std::string::npos) {
                error = "answer options takes KEY=VALUE pairs";
                return false;
            }
    } else if (kind == "cancel") {
        ok = need(0, false, false);
    } else {
        error = "unknown answer kind \"" + kind + "\"";
        return false;
    }
    if (ok) queue(ScriptAnswer{kind, values});
    return ok;
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

int ScriptedDialogs::colourBox(ColourValues& v)
{
    bool cancelled;
    const ScriptAnswer* a = take("colour", "colour box", &cancelled);
    if (!a) return -1;
    v.red = clampChannel(std::atoi(a->values[0].c_str()));
    v.green = clampChannel(std::atoi(a->values[1].c_str()));
    v.blue = clampChannel(std::atoi(a->values[2].c_str()));
    v.ambient = clampCoefficient(std::strtof(a->values[3].c_str(), nullptr));
    v.diffuse = clampCoefficient(std::strtof(a->values[4].c_str(), nullptr));
    v.specular = clampCoefficient(std::strtof(a->values[5].c_str(), nullptr));
    return 1;
}

int ScriptedDialogs::paletteBox(const GMTBL& table)
{
    bool cancelled;
    const ScriptAnswer* a = take("palette", "palette box", &cancelled);
    if (!a) return -1;
    int i = std::atoi(a->values[0].c_str());
    return i >= 0 && i < table.count ? i : -1; // a click below the last colour does nothing
}

int ScriptedDialogs::textureBox(TextureChoice& c)
{
    bool cancelled;
    const ScriptAnswer* a = take("texture", "texture box", &cancelled);
    if (!a) return -1;
    c.name = a->values[0];
    c.file = a->values[1];
    c.plane = a->values[2] == "xy" ? 0 : (a->values[2] == "zy" ? 2 : 4);
    return 1;
}

int ScriptedDialogs::magBox(float& x, float& y, float& z)
{
    bool cancelled;
    const ScriptAnswer* a = take("mag", "magnification box", &cancelled);
    if (!a) return -1;
    x = std::strtof(a->values[0].c_str(), nullptr);
    y = std::strtof(a->values[1].c_str(), nullptr);
    z = std::strtof(a->values[2].c_str(), nullptr);
    return 1;
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

int ScriptedDialogs::optionsBox(EditorSettings& s)
{
    bool cancelled;
    const ScriptAnswer* a = take("options", "options dialog", &cancelled);
    if (!a) return -1;
    EditorSettings changed = s;
    for (const std::string& pair : a->values) {
        std::string key = pair.substr(0, pair.find('=')), value = pair.substr(pair.find('=') + 1);
        if (key == "defaultfile" || key == "File Name") {
            changed.defaultfile = value;
        } else if (key == "fullscreen" || key == "Mode") {
            changed.fullscreen = yes(value) || value == "Fullscreen";
        } else if (key == "zon" || key == "Zon") {
            changed.zon = yes(value) || value == "Yes";
        } else if (key == "resolution" || key == "MaxWidth") {
            int width = std::atoi(value.c_str());
            if (!resolutionControl(width)) {
                fail("options: no resolution button shows the width " + value);
                return -1;
            }
            for (const Resolution& r : resolutions)
                if (r.width == width) {
                    changed.maxwidth = r.width;
                    changed.maxhight = r.height;
                }
        } else {
            fail("options: unknown setting \"" + key + "\"");
            return -1;
        }
    }
    s = changed;
    return 1;
}

} // namespace quillo
