#include "saver_script_line.h"

#include <iterator>
#include <utility>
#include <vector>

namespace quillo {

namespace {

struct Arity {
    const char* verb;
    int fewest, most;
};

constexpr Arity dialogVerbs[] = {{"cmd", 1, 1}, {"set", 2, 2}, {"check", 2, 2},
                                 {"scroll", 1, 2}, {"verify", 2, 2}, {"state", 0, 0}};
constexpr Arity windowVerbs[] = {{"mouse", 2, 2}, {"key", 1, 1},    {"click", 2, 2}, {"wait", 1, 1},
                                 {"render", 1, 1}, {"state", 0, 0}, {"verify", 2, 2}};

// The verb's word counts, or null when `part` has no such verb.
const Arity* arityOf(SaverScriptPart part, const std::string& verb)
{
    const bool dialog = part == SaverScriptPart::dialog;
    const Arity* begin = dialog ? std::begin(dialogVerbs) : std::begin(windowVerbs);
    const Arity* end = dialog ? std::end(dialogVerbs) : std::end(windowVerbs);
    for (const Arity* a = begin; a != end; ++a)
        if (verb == a->verb) return a;
    return nullptr;
}

// words[at] as a whole number.
bool number(const ScriptWords& w, size_t at, int& value, std::string& why)
{
    std::vector<int> values;
    if (!wholeNumbers(ScriptWords{w[at]}, 0, values, why)) return false;
    value = values[0];
    return true;
}

// A control id written as digits only ("0100" and "100x" name nothing).
bool controlId(const std::string& word, int& id)
{
    if (word.empty() || word.size() > 3 || word[0] == '0') return false;
    id = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        id = id * 10 + (c - '0');
    }
    return true;
}

bool readDialogLine(const ScriptWords& w, SaverLine& line, std::string& why)
{
    const std::string& verb = line.verb;
    if (verb == "cmd") {
        if (!number(w, 1, line.control, why)) return false;
        if (line.control == idOk || line.control == idCancel || line.control == idBrowse) return true;
        why = "no button " + w[1] + " (100, 110 or 130)";
        return false;
    }
    if (verb == "set") {
        line.text = w[2];
        if (w[1] == std::to_string(idFile)) {
            line.control = idFile;
            return true;
        }
        why = "only the file field 120 takes a text";
        return false;
    }
    if (verb == "check") {
        if (!number(w, 1, line.control, why) || !number(w, 2, line.number, why)) return false;
        if ((line.control == idColours256 || line.control == idFixed640) && (line.number == 0 || line.number == 1))
            return true;
        why = "check takes 150 or 160 and 0 or 1";
        return false;
    }
    if (verb == "scroll") {
        const struct {
            const char* word;
            ScrollRequest request;
            bool thumb;
        } requests[] = {{"lineleft", ScrollRequest::lineLeft, false},   {"lineright", ScrollRequest::lineRight, false},
                        {"pageleft", ScrollRequest::pageLeft, false},   {"pageright", ScrollRequest::pageRight, false},
                        {"track", ScrollRequest::thumbTrack, true},     {"position", ScrollRequest::thumbPosition, true}};
        for (const auto& r : requests) {
            if (w[1] != r.word) continue;
            line.scroll = r.request;
            if (!r.thumb) return true;
            if (w.size() < 3) {
                why = w[1] + " needs a position";
                return false;
            }
            return number(w, 2, line.number, why);
        }
        why = "unknown scroll request " + w[1];
        return false;
    }
    if (verb == "verify") {
        line.text = w[2];
        if (w[1] == "title") return true;
        int id = 0;
        if (controlId(w[1], id) && (id == idOk || id == idCancel || id == idFile || id == idBrowse || id == idSpeed ||
                                    id == idColours256 || id == idFixed640)) {
            line.control = id;
            return true;
        }
        why = "no control " + w[1];
        return false;
    }
    return true; // state
}

bool readWindowLine(const ScriptWords& w, SaverLine& line, std::string& why)
{
    const std::string& verb = line.verb;
    if (verb == "mouse" || verb == "click") return number(w, 1, line.number, why) && number(w, 2, line.y, why);
    if (verb == "key") {
        line.text = w[1];
        return true;
    }
    if (verb == "wait") {
        if (!number(w, 1, line.number, why)) return false;
        if (line.number >= 0) return true;
        why = "wait needs milliseconds from 0";
        return false;
    }
    if (verb == "render") {
        line.text = w[1];
        return true;
    }
    if (verb == "verify") {
        line.name = w[1];
        line.text = w[2];
        for (const char* name : saverStateNames)
            if (w[1] == name) return true;
        why = "no state " + w[1] + " (running, failed, finished, steps, clock)";
        return false;
    }
    return true; // state
}

} // namespace

bool readSaverLine(SaverScriptPart part, const ScriptWords& w, SaverLine& line, std::string& why)
{
    line = SaverLine{};
    if (w.empty()) {
        why = "no verb";
        return false;
    }
    line.verb = w[0];
    const Arity* a = arityOf(part, w[0]);
    if (!a) {
        why = "unknown verb \"" + w[0] + "\"";
        return false;
    }
    if (!argumentsFit(ScriptVerb{a->verb, a->fewest, a->most, false, nullptr}, w, why)) return false;
    return part == SaverScriptPart::dialog ? readDialogLine(w, line, why) : readWindowLine(w, line, why);
}

ScriptVerb saverVerb(SaverScriptPart part, const char* name, bool consumes,
                     std::function<bool(const ScriptWords&, std::string&)> run)
{
    const Arity* a = arityOf(part, name);
    return ScriptVerb{name, a ? a->fewest : 0, a ? a->most : 0, consumes, std::move(run)};
}

} // namespace quillo
