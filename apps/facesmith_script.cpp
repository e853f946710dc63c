#include "facesmith_script.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

#include "facesmith_dialog.h"
#include "platform/qt_text.h"

namespace quillo {

namespace {

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

bool isEdit(int id) { return id == dmainInputPath || id == dmainOutputPath || id == dmainModelSize; }
bool isBox(int id) { return id >= dmainGroupByColour && id <= dmainReverse; }

const char* onOff(bool on) { return on ? "on" : "off"; }

} // namespace

FacesmithScript::FacesmithScript(FacesmithDialog& dialog, ScriptedDialogs& dialogs, std::ostream& out)
    : ScriptRunner(dialogs), dialog_(dialog), out_(out)
{
    // Each verb checks its own words, so that its message names what it takes.
    addVerb({"cmd", 0, -1, true, [this](const ScriptWords& w, std::string& why) {
                 int id = 0;
                 if (w.size() != 2 || !identifier(w[1], id) || !dialog_.button(id)) {
                     why = "cmd takes a button: 100, 101, 105, 106, 107-111, 112 or 113";
                     return false;
                 }
                 dialog_.press(id);
                 return true;
             }});
    addVerb({"key", 0, -1, true, [this](const ScriptWords& w, std::string& why) {
                 if (w.size() != 2) {
                     why = "key takes one key: Return, Enter or Escape";
                     return false;
                 }
                 return key(w[1], why);
             }});
    addVerb({"set", 0, -1, false, [this](const ScriptWords& w, std::string& why) {
                 int id = 0;
                 if (w.size() != 3 || !identifier(w[1], id) || !isEdit(id)) {
                     why = "set takes an edit (102, 103 or 104) and a text";
                     return false;
                 }
                 dialog_.edit(id)->setText(toQt(w[2]));
                 return true;
             }});
    addVerb({"check", 0, -1, false, [this](const ScriptWords& w, std::string& why) {
                 int id = 0;
                 if (w.size() != 3 || !identifier(w[1], id) || !isBox(id) || (w[2] != "on" && w[2] != "off")) {
                     why = "check takes a box (107-111) and on or off";
                     return false;
                 }
                 const bool on = w[2] == "on";
                 if (id == dmainFront || id == dmainReverse) {
                     // One of the two radios is always selected.
                     const int selected = on ? id : (id == dmainFront ? dmainReverse : dmainFront);
                     dialog_.button(selected)->setChecked(true);
                 } else {
                     dialog_.button(id)->setChecked(on);
                 }
                 return true;
             }});
    addVerb({"verify", 0, -1, false, [this](const ScriptWords& w, std::string& why) {
                 int id = 0;
                 if (w.size() != 3 || !identifier(w[1], id) || (!isEdit(id) && !isBox(id))) {
                     why = "verify takes an edit (102-104) or a box (107-111) and what it must show";
                     return false;
                 }
                 const std::string shown =
                     isEdit(id) ? fromQt(dialog_.edit(id)->text()) : onOff(dialog_.button(id)->isChecked());
                 if (shown != w[2]) {
                     why = "control " + w[1] + " shows \"" + shown + "\", not \"" + w[2] + "\"";
                     return false;
                 }
                 return true;
             }});
    addVerb({"state", 0, -1, false, [this](const ScriptWords& w, std::string& why) {
                 if (w.size() != 1) {
                     why = "state takes nothing";
                     return false;
                 }
                 printState();
                 return true;
             }});
}

bool FacesmithScript::ready(std::string& why)
{
    if (!dialog_.ended()) return true;
    why = "the window was closed by 終了 (cmd 101)";
    return false;
}

bool FacesmithScript::key(const std::string& name, std::string& why)
{
    Qt::Key k;
    if (name == "Return")
        k = Qt::Key_Return;
    else if (name == "Enter")
        k = Qt::Key_Enter;
    else if (name == "Escape")
        k = Qt::Key_Escape;
    else {
        why = "key takes Return, Enter or Escape, not \"" + name + "\"";
        return false;
    }
    // The key goes where the focus is and climbs to the dialog if unused.
    QWidget* target = dialog_.focusWidget() ? dialog_.focusWidget() : &dialog_;
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    if (!dialog_.ended()) QApplication::sendEvent(target, &release);
    return true;
}

void FacesmithScript::printState()
{
    out_ << "input=" << fromQt(dialog_.edit(dmainInputPath)->text()) << '\n'
         << "output=" << fromQt(dialog_.edit(dmainOutputPath)->text()) << '\n'
         << "size=" << fromQt(dialog_.edit(dmainModelSize)->text()) << '\n'
         << "front=" << onOff(dialog_.button(dmainFront)->isChecked()) << '\n'
         << "reverse=" << onOff(dialog_.button(dmainReverse)->isChecked()) << '\n'
         << "bothSides=" << onOff(dialog_.button(dmainBothSides)->isChecked()) << '\n'
         << "groupByColour=" << onOff(dialog_.button(dmainGroupByColour)->isChecked()) << '\n'
         << "allWhite=" << onOff(dialog_.button(dmainAllWhite)->isChecked()) << '\n'
         << "lastChosen=" << dialog_.sharedPath() << '\n';
    out_.flush();
}

} // namespace quillo
