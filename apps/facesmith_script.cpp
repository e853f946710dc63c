#include "facesmith_script.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

#include "facesmith_dialog.h"
#include "facesmith_script_line.h"
#include "platform/qt_text.h"

namespace quillo {

namespace {

const char* onOff(bool on) { return on ? "on" : "off"; }

} // namespace

FacesmithScript::FacesmithScript(FacesmithDialog& dialog, ScriptedDialogs& dialogs, std::ostream& out)
    : ScriptRunner(dialogs), dialog_(dialog), out_(out)
{
    // Each verb reads its own words (readFacesmithLine), so that its message
    // names what it takes.
    auto verb = [this](const char* name, bool consumes, bool (FacesmithScript::*act)(const FacesmithLine&, std::string&)) {
        addVerb({name, 0, -1, consumes, [this, act](const ScriptWords& w, std::string& why) {
                     FacesmithLine line;
                     return readFacesmithLine(w, line, why) && (this->*act)(line, why);
                 }});
    };
    verb("cmd", true, &FacesmithScript::press);
    verb("key", true, &FacesmithScript::key);
    verb("set", false, &FacesmithScript::set);
    verb("check", false, &FacesmithScript::check);
    verb("verify", false, &FacesmithScript::verify);
    verb("state", false, &FacesmithScript::state);
}

bool FacesmithScript::press(const FacesmithLine& line, std::string&)
{
    dialog_.press(line.control); // a disabled button takes the click and does nothing
    return true;
}

bool FacesmithScript::set(const FacesmithLine& line, std::string&)
{
    dialog_.edit(line.control)->setText(toQt(line.text));
    return true;
}

bool FacesmithScript::check(const FacesmithLine& line, std::string&)
{
    const int id = line.control;
    const bool on = line.text == "on";
    if (id == dmainFront || id == dmainReverse) {
        // One of the two radios is always selected.
        const int selected = on ? id : (id == dmainFront ? dmainReverse : dmainFront);
        dialog_.button(selected)->setChecked(true);
    } else {
        dialog_.button(id)->setChecked(on);
    }
    return true;
}

bool FacesmithScript::verify(const FacesmithLine& line, std::string& why)
{
    const int id = line.control;
    const std::string shown =
        isFacesmithEdit(id) ? fromQt(dialog_.edit(id)->text()) : onOff(dialog_.button(id)->isChecked());
    if (shown == line.text) return true;
    why = "control " + std::to_string(id) + " shows \"" + shown + "\", not \"" + line.text + "\"";
    return false;
}

bool FacesmithScript::state(const FacesmithLine&, std::string&)
{
    printState();
    return true;
}

bool FacesmithScript::ready(std::string& why)
{
    if (!dialog_.ended()) return true;
    why = "the window was closed by 終了 (cmd 101)";
    return false;
}

bool FacesmithScript::key(const FacesmithLine& line, std::string&)
{
    const Qt::Key k = line.text == "Return" ? Qt::Key_Return : line.text == "Enter" ? Qt::Key_Enter : Qt::Key_Escape;
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
