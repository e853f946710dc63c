// quillosaver's --script verbs, on the shared script runner. The settings
// dialog: cmd ID (100 OK, 110 Cancel, 130 "参照"), set 120 TEXT,
// check 150|160 0|1, scroll lineleft|lineright|pageleft|pageright|track N|position N,
// verify ID VALUE, state. The saver window: mouse X Y, key K, click X Y,
// wait MS (on the script's own clock), render PATH, state, verify NAME VALUE
// (running, failed, finished, steps, clock).
#pragma once

#include <cstdint>
#include <ostream>

#include "platform/script_runner.h"
#include "saver_dialog.h"

namespace quillo {

class QtSaverDialog;
class QtSaverWindow;

// "参照" and the messages of the dialog answered from the script.
class ScriptedSaverDialogUser : public SaverDialogUser {
public:
    explicit ScriptedSaverDialogUser(ScriptedDialogs& dialogs) : dialogs_(dialogs) {}
    bool chooseAnimation(std::string& path) override;
    void message(const std::string& text) override;

private:
    ScriptedDialogs& dialogs_;
};

class SaverDialogScript : public ScriptRunner {
public:
    SaverDialogScript(ScriptedDialogs& dialogs, QtSaverDialog& dialog, std::ostream& out);
};

class SaverWindowScript : public ScriptRunner {
public:
    // `clock`: the milliseconds the window reads; wait moves it on.
    SaverWindowScript(ScriptedDialogs& dialogs, QtSaverWindow& window, int64_t& clock, std::ostream& out);
};

} // namespace quillo
