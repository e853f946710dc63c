#include "saver_script.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>

#include "platform/engine_view.h"
#include "platform/qt_png_encoder.h"
#include "platform/qt_text.h"
#include "qt_saver_dialog.h"
#include "qt_saver_window.h"
#include "saver_script_line.h"

namespace quillo {

namespace {

// The words of a line as the saver reads them; false with `why` set.
auto reader(SaverScriptPart part)
{
    return [part](const ScriptWords& w, SaverLine& line, std::string& why) { return readSaverLine(part, w, line, why); };
}

const char* resultName(SaverDialog::Result r)
{
    return r == SaverDialog::Result::accepted ? "accepted" : r == SaverDialog::Result::cancelled ? "cancelled" : "open";
}

} // namespace

bool ScriptedSaverDialogUser::chooseAnimation(std::string& path) { return dialogs_.chooseFile(fileAnimation, path); }

void ScriptedSaverDialogUser::message(const std::string& text)
{
    dialogs_.error(withoutCrLf(text));
}

SaverDialogScript::SaverDialogScript(ScriptedDialogs& dialogs, QtSaverDialog& d, std::ostream& out)
    : ScriptRunner(dialogs)
{
    constexpr SaverScriptPart part = SaverScriptPart::dialog;
    const auto read = reader(part);
    auto stillOpen = [&d](std::string& why) {
        if (d.logic().result() == SaverDialog::Result::open) return true;
        why = "the dialog has ended";
        return false;
    };
    addVerb(saverVerb(part, "cmd", true, [&d, read, stillOpen](const ScriptWords& w, std::string& why) {
                 SaverLine line;
                 if (!read(w, line, why) || !stillOpen(why)) return false;
                 d.command(line.control);
                 return true;
             }));
    addVerb(saverVerb(part, "set", false, [&d, read, stillOpen](const ScriptWords& w, std::string& why) {
                 SaverLine line;
                 if (!read(w, line, why) || !stillOpen(why)) return false;
                 d.fileField()->setText(toQt(line.text));
                 return true;
             }));
    addVerb(saverVerb(part, "check", false, [&d, read, stillOpen](const ScriptWords& w, std::string& why) {
                 SaverLine line;
                 if (!read(w, line, why) || !stillOpen(why)) return false;
                 d.box(line.control)->setChecked(line.number == 1);
                 return true;
             }));
    addVerb(saverVerb(part, "scroll", false, [&d, read, stillOpen](const ScriptWords& w, std::string& why) {
                 SaverLine line;
                 if (!stillOpen(why) || !read(w, line, why)) return false;
                 d.scroll(line.scroll, line.number);
                 return true;
             }));
    addVerb(saverVerb(part, "verify", false, [&d, read](const ScriptWords& w, std::string& why) {
                 SaverLine line;
                 if (!read(w, line, why)) return false;
                 std::string shown;
                 if (line.control == 0) shown = fromQt(d.windowTitle());
                 else if (line.control == idFile) shown = fromQt(d.fileField()->text());
                 else if (line.control == idSpeed) shown = std::to_string(d.speedBar()->value());
                 else if (line.control == idFixed640 || line.control == idColours256)
                     shown = d.box(line.control)->isChecked() ? "1" : "0";
                 else if (auto* b = findControl<QAbstractButton>(&d, line.control)) shown = fromQt(b->text());
                 else {
                     why = "no control " + w[1];
                     return false;
                 }
                 if (shown == line.text) return true;
                 why = w[1] + " shows \"" + shown + "\", not \"" + line.text + "\"";
                 return false;
             }));
    addVerb(saverVerb(part, "state", false, [&d, &out](const ScriptWords&, std::string&) {
                 out << "file=" << fromQt(d.fileField()->text()) << "\nspeed=" << d.speedBar()->value()
                     << "\nfixed640=" << d.box(idFixed640)->isChecked()
                     << "\ncolours256=" << d.box(idColours256)->isChecked()
                     << "\nresult=" << resultName(d.logic().result()) << "\n";
                 return true;
             }));
}

SaverWindowScript::SaverWindowScript(ScriptedDialogs& dialogs, QtSaverWindow& window, int64_t& clock, std::ostream& out)
    : ScriptRunner(dialogs)
{
    constexpr SaverScriptPart part = SaverScriptPart::window;
    const auto read = reader(part);
    auto settle = [] { QApplication::processEvents(); };
    addVerb(saverVerb(part, "mouse", true, [&window, read, settle](const ScriptWords& w, std::string& why) {
                 SaverLine line;
                 if (!read(w, line, why)) return false;
                 window.mouseInput(line.number, line.y);
                 settle();
                 return true;
             }));
    addVerb(saverVerb(part, "key", true, [&window, settle](const ScriptWords&, std::string&) {
                 window.input(SaverInput::Event::keyDown);
                 settle();
                 return true;
             }));
    addVerb(saverVerb(part, "click", true, [&window, read, settle](const ScriptWords& w, std::string& why) {
                 SaverLine line;
                 if (!read(w, line, why)) return false;
                 window.input(SaverInput::Event::buttonDown);
                 window.input(SaverInput::Event::buttonUp);
                 settle();
                 return true;
             }));
    // The steps the timer would take in MS milliseconds, each when it is due.
    addVerb(saverVerb(part, "wait", false, [&window, &clock, read, settle](const ScriptWords& w, std::string& why) {
                 SaverLine line;
                 if (!read(w, line, why)) return false;
                 const int64_t end = clock + line.number;
                 for (;;) {
                     const int64_t next = window.player().untilNext(clock);
                     if (next < 0 || window.finished() || clock + next > end) break;
                     clock += next;
                     window.tick();
                 }
                 clock = end;
                 settle();
                 return true;
             }));
    addVerb(saverVerb(part, "render", false, [&window, settle](const ScriptWords& w, std::string& why) {
                 settle();
                 if (savePng(window.grab().toImage(), w[1])) return true;
                 why = "cannot write " + w[1];
                 return false;
             }));
    auto state = [&window, &clock] {
        const SaverPlayer& p = window.player();
        return std::vector<std::pair<std::string, std::string>>{
            {"running", std::to_string(p.running())}, {"failed", std::to_string(p.failed())},
            {"finished", std::to_string(window.finished())}, {"steps", std::to_string(p.steps())},
            {"clock", std::to_string(clock)}};
    };
    addVerb(saverVerb(part, "state", false, [state, &out](const ScriptWords&, std::string&) {
                 for (const auto& [name, value] : state()) out << name << "=" << value << "\n";
                 return true;
             }));
    addVerb(saverVerb(part, "verify", false, [state, read](const ScriptWords& w, std::string& why) {
                 SaverLine line;
                 if (!read(w, line, why)) return false;
                 for (const auto& [name, value] : state()) {
                     if (name != line.name) continue;
                     if (value == line.text) return true;
                     why = name + " is " + value + ", not " + line.text;
                     return false;
                 }
                 why = "no state " + line.name;
                 return false;
             }));
}

} // namespace quillo
