#include "facesmith_script_line.h"

#include "facesmith_controls.h"

namespace quillo {

namespace {

// A control number: one to four digits.
bool identifier(const std::string& word, int& id)
{
    if (word.empty() || word.size() > 4) return false;
    id = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        id = id * 10 + (c - '0');
    }
    return true;
}

bool isButton(int id) { return id == dmainConvert || id == dmainQuit || (id >= dmainChooseInput && id <= dmainHelp); }

} // namespace

bool isFacesmithEdit(int id) { return id == dmainInputPath || id == dmainOutputPath || id == dmainModelSize; }
bool isFacesmithBox(int id) { return id >= dmainGroupByColour && id <= dmainReverse; }

bool readFacesmithLine(const ScriptWords& w, FacesmithLine& line, std::string& why)
{
    line = FacesmithLine{w.empty() ? std::string() : w[0], 0, w.size() > 2 ? w[2] : w.size() > 1 ? w[1] : ""};
    int& id = line.control;
    const std::string& verb = line.verb;
    if (verb == "cmd") {
        if (w.size() == 2 && identifier(w[1], id) && isButton(id)) return true;
        why = "cmd takes a button: 100, 101, 105, 106, 107-111, 112 or 113";
    } else if (verb == "key") {
        if (w.size() != 2)
            why = "key takes one key: Return, Enter or Escape";
        else if (w[1] == "Return" || w[1] == "Enter" || w[1] == "Escape")
            return true;
        else
            why = "key takes Return, Enter or Escape, not \"" + w[1] + "\"";
    } else if (verb == "set") {
        if (w.size() == 3 && identifier(w[1], id) && isFacesmithEdit(id)) return true;
        why = "set takes an edit (102, 103 or 104) and a text";
    } else if (verb == "check") {
        if (w.size() == 3 && identifier(w[1], id) && isFacesmithBox(id) && (w[2] == "on" || w[2] == "off"))
            return true;
        why = "check takes a box (107-111) and on or off";
    } else if (verb == "verify") {
        if (w.size() == 3 && identifier(w[1], id) && (isFacesmithEdit(id) || isFacesmithBox(id))) return true;
        why = "verify takes an edit (102-104) or a box (107-111) and what it must show";
    } else if (verb == "state") {
        if (w.size() == 1) return true;
        why = "state takes nothing";
    } else {
        why = "unknown verb \"" + verb + "\"";
    }
    return false;
}

} // namespace quillo
