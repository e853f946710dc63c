// The words of one --script line of the converter window, read without the
// window: which verb, which control and what text (see facesmith_script.h
// for the verbs). The window's script runs what this reads; the fuzz
// target of the converter's scripts reads alone.
#pragma once

#include <string>

#include "platform/script_runner.h"

namespace quillo {

struct FacesmithLine {
    std::string verb;  // cmd, key, set, check, verify or state
    int control = 0;   // the button (cmd), edit (set) or box (check); either (verify)
    std::string text;  // the key (key), the text (set, verify), on or off (check)
};

// Reads words[0] (the verb) and its arguments; false with `why` saying what
// the verb takes, or that there is no such verb.
bool readFacesmithLine(const ScriptWords& words, FacesmithLine& line, std::string& why);

bool isFacesmithEdit(int control);
bool isFacesmithBox(int control);

} // namespace quillo
