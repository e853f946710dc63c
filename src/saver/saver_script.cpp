#include "saver_script.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>

#include "platform/engine_view.h"
#include "platform/qt_text.h"
#include "qt_saver_dialog.h"
#include "qt_saver_window.h"

namespace quillo {

namespace {

bool oneNumber(const ScriptWords& w, size_t at, int& value, std::string& why)
{
    std::vector<int> values;
    if (!wholeNumbers(ScriptWords(w.begin(), w.begin() + long(at) + 1), at, values, why)) return false;
    value = values[0];
    return true;
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
    auto stillOpen = [&d](std::string& why) {
        if (d.logic().result() == SaverDialog::Result::open) return true;
        why = "the dialog has ended";
        return false;
    };
    addVerb({"cmd", 1, 1, true, [&d, stillOpen](const ScriptWords& w, std::string& why) {
                 int id = 0;
                 if (!oneNumber(w, 1, id, why) || !stillOpen(why)) return false;
                 if (id != idOk && id != idCancel && id != idBrowse) {
                     why = "no button " + w[1] + " (100, 110 or 130)";
                     return false;
                 }
                 d.command(id);
                 return true;
             }});
    addVerb({"set", 2, 2, false, [&d, stillOpen](const ScriptWords& w, std::string& why) {
                 if (w[1] != std::to_string(idFile)) {
                     why = "only the file field 120 takes a text";
                     return false;
                 }
                 if (!stillOpen(why)) return false;
                 d.fileField()->setText(toQt(w[2]));
                 return true;
             }});
    addVerb({"check", 2, 2, false, [&d, stillOpen](const ScriptWords& w, std::string& why) {
                 int id = 0, on = 0;
                 if (!oneNumber(w, 1, id, why) || !oneNumber(w, 2, on, why) || !stillOpen(why)) return false;
                 if (!d.box(id) || (on != 0 && on != 1)) {
                     why = "check takes 150 or 160 and 0 or 1";
                     return false;
                 }
                 d.box(id)->setChecked(on == 1);
                 return true;
             }});
    addVerb({"scroll", 1, 2, false, [&d, stillOpen](const ScriptWords& w, std::string& why) {
                 if (!stillOpen(why)) return false;
                 const struct {
                     const char* word;
                     ScrollRequest request;
                     bool thumb;
                 } requests[] = {{"lineleft", ScrollRequest::lineLeft, false},
                                 {"lineright", ScrollRequest::lineRight, false},
                                 {"pageleft", ScrollRequest::pageLeft, false},
                                 {"pageright", ScrollRequest::pageRight, false},
                                 {"track", ScrollRequest::thumbTrack, true},
                                 {"position", ScrollRequest::thumbPosition, true}};
                 for (const auto& r : requests) {
                     if (w[1] != r.word) continue;
                     int thumb = 0;
                     if (r.thumb && (w.size() < 3 || !oneNumber(w, 2, thumb, why))) {
                         if (why.empty()) why = w[1] + " needs a position";
                         return false;
                     }
                     d.scroll(r.request, thumb);
                     return true;
                 }
                 why = "unknown scroll request " + w[1];
                 return false;
             }});
    addVerb({"verify", 2, 2, false, [&d](const ScriptWords& w, std::string& why) {
                 std::string shown;
                 if (w[1] == "title") shown = fromQt(d.windowTitle());
                 else if (w[1] == std::to_string(idFile)) shown = fromQt(d.fileField()->text());
                 else if (w[1] == std::to_string(idSpeed)) shown = std::to_string(d.speedBar()->value());
                 else if (w[1] == std::to_string(idFixed640) || w[1] == std::to_string(idColours256))
                     shown = d.box(std::stoi(w[1]))->isChecked() ? "1" : "0";
                 else if (auto* b = findControl<QAbstractButton>(&d, std::atoi(w[1].c_str()))) shown = fromQt(b->text());
                 else {
                     why = "no control " + w[1];
                     return false;
                 }
                 if (shown == w[2]) return true;
                 why = w[1] + " shows \"" + shown + "\", not \"" + w[2] + "\"";
                 return false;
             }});
    addVerb({"state", 0, 0, false, [&d, &out](const ScriptWords&, std::string&) {
                 out << "file=" << fromQt(d.fileField()->text()) << "\nspeed=" << d.speedBar()->value()
                     << "\nfixed640=" << d.box(idFixed640)->isChecked()
                     << "\ncolours256=" << d.box(idColours256)->isChecked()
                     << "\nresult=" << resultName(d.logic().result()) << "\n";
                 return true;
             }});
}

SaverWindowScript::SaverWindowScript(ScriptedDialogs& dialogs, QtSaverWindow& window, int64_t& clock, std::ostream& out)
    : ScriptRunner(dialogs)
{
    auto settle = [] { QApplication::processEvents(); };
    addVerb({"mouse", 2, 2, true, [&window, settle](const ScriptWords& w, std::string& why) {
                 std::vector<int> xy;
                 if (!wholeNumbers(w, 1, xy, why)) return false;
                 window.mouseInput(xy[0], xy[1]);
                 settle();
                 return true;
             }});
    addVerb({"key", 1, 1, true, [&window, settle](const ScriptWords&, std::string&) {
                 window.input(SaverInput::Event::keyDown);
                 settle();
                 return true;
             }});
    addVerb({"click", 2, 2, true, [&window, settle](const ScriptWords& w, std::string& why) {
                 std::vector<int> xy;
                 if (!wholeNumbers(w, 1, xy, why)) return false;
                 window.input(SaverInput::Event::buttonDown);
                 window.input(SaverInput::Event::buttonUp);
                 settle();
                 return true;
             }});
    // The steps the timer would take in MS milliseconds, each when it is due.
    addVerb({"wait", 1, 1, false, [&window, &clock, settle](const ScriptWords& w, std::string& why) {
                 int ms = 0;
                 if (!oneNumber(w, 1, ms, why)) return false;
                 if (ms < 0) {
                     why = "wait needs milliseconds from 0";
                     return false;
                 }
                 const int64_t end = clock + ms;
                 for (;;) {
                     const int64_t next = window.player().untilNext(clock);
                     if (next < 0 || window.finished() || clock + next > end) break;
                     clock += next;
                     window.tick();
                 }
                 clock = end;
                 settle();
                 return true;
             }});
    addVerb({"render", 1, 1, false, [&window, settle](const ScriptWords& w, std::string& why) {
                 settle();
                 if (window.grab().save(toQt(w[1]), "PNG")) return true;
                 why = "cannot write " + w[1];
                 return false;
             }});
    auto state = [&window, &clock] {
        const SaverPlayer& p = window.player();
        return std::vector<std::pair<std::string, std::string>>{
            {"running", std::to_string(p.running())}, {"failed", std::to_string(p.failed())},
            {"finished", std::to_string(window.finished())}, {"steps", std::to_string(p.steps())},
            {"clock", std::to_string(clock)}};
    };
    addVerb({"state", 0, 0, false, [state, &out](const ScriptWords&, std::string&) {
                 for (const auto& [name, value] : state()) out << name << "=" << value << "\n";
                 return true;
             }});
    addVerb({"verify", 2, 2, false, [state](const ScriptWords& w, std::string& why) {
                 for (const auto& [name, value] : state()) {
                     if (name != w[1]) continue;
                     if (value == w[2]) return true;
                     why = name + " is " + value + ", not " + w[2];
                     return false;
                 }
                 why = "no state " + w[1] + " (running, failed, finished, steps, clock)";
                 return false;
             }});
}

} // namespace quillo
