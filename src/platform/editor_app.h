// The start-up skeleton of every windowed program of the suite: the Qt
// application with "C" numbers and the UI font, the --script file and the
// answers that stand before its first other line (they serve the start-up
// dialogs), the program's own start (settings, first-run options, windows),
// then the script or the event loop.
#pragma once

#include <string>

namespace quillo {

class Dialogs;
class ScriptedDialogs;

// What each program fills in.
class EditorProgram {
public:
    virtual ~EditorProgram() = default;
    // The program's name in messages on standard error.
    virtual const char* name() const = 0;
    // The dialogs of an interactive run and of a script run.
    virtual Dialogs& shownDialogs() = 0;
    virtual ScriptedDialogs& scriptedDialogs() = 0;
    // Settings (a first run may ask for them), windows, the document. False
    // when the program is to end now (the first-run options were cancelled).
    virtual bool start(Dialogs& dialogs, bool scripted) = 0;
    // Runs the script from line `skip` + 1 on; false with `error` set ("line N: why").
    virtual bool runScript(const std::string& script, int skip, std::string& error) = 0;
    // The interactive session; returns the exit status.
    virtual int exec() = 0;
    // Before the application goes: close what start() opened.
    virtual void finish() {}
};

// Runs `program`; returns the exit status: 0 at its end, 1 when a script
// line or the start-up failed (named on standard error), 2 when the script
// cannot be read.
int runEditorApp(int& argc, char** argv, const std::string& scriptPath, EditorProgram& program);

} // namespace quillo
