// The converter window's --script verbs, run against the real dialog:
//   cmd N             press button N (100 変換, 101 終了, 105/106 参照,
//                     112 高速変換, 113 ヘルプ; 107-111 click that box)
//   key K             press Return (or Enter) or Escape in the window
//   set ID TEXT       type TEXT into edit 102, 103 or 104 (replacing it)
//   check ID on|off   set check box 107, 108 or 109, or radio 110/111
//                     ("off" for a radio selects the other one)
//   verify ID TEXT    fail unless edit ID holds TEXT, or box ID is on/off
//   state             print the fields, one name=value per line
#pragma once

#include <ostream>

#include "platform/script_runner.h"

namespace quillo {

class FacesmithDialog;
struct FacesmithLine;

class FacesmithScript : public ScriptRunner {
public:
    FacesmithScript(FacesmithDialog& dialog, ScriptedDialogs& dialogs, std::ostream& out);

protected:
    bool ready(std::string& why) override;

private:
    bool press(const FacesmithLine& line, std::string& why);
    bool key(const FacesmithLine& line, std::string& why);
    bool set(const FacesmithLine& line, std::string& why);
    bool check(const FacesmithLine& line, std::string& why);
    bool verify(const FacesmithLine& line, std::string& why);
    bool state(const FacesmithLine& line, std::string& why);
    void printState();

    FacesmithDialog& dialog_;
    std::ostream& out_;
};

} // namespace quillo
