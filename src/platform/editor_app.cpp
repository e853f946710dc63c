#include "editor_app.h"

#include <QApplication>

#include <clocale>
#include <cstdio>

#include "model/file_util.h"
#include "qt_font.h"
#include "script_runner.h"
#include "scripted_dialogs.h"

namespace quillo {

namespace {

// Messages go to `sink` while the program runs, and back afterwards.
class SinkScope {
public:
    explicit SinkScope(MessageSink* sink) : previous_(setMessageSink(sink)) {}
    ~SinkScope() { setMessageSink(previous_); }

private:
    MessageSink* previous_;
};

} // namespace

int runEditorApp(int& argc, char** argv, const std::string& scriptPath, EditorProgram& program)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // numbers in files are always read and written the C way
    registerUiFont();

    const bool scripted = !scriptPath.empty();
    std::string script;
    if (scripted && !readWholeFile(scriptPath, script)) {
        std::fprintf(stderr, "%s: cannot read the script %s\n", program.name(), scriptPath.c_str());
        return 2;
    }
    ScriptedDialogs& answers = program.scriptedDialogs();
    Dialogs& dialogs = scripted ? static_cast<Dialogs&>(answers) : program.shownDialogs();
    SinkScope sink(&dialogs);
    auto failed = [&](const std::string& where, const std::string& why) {
        std::fprintf(stderr, "%s: %s: %s%s\n", program.name(), scriptPath.c_str(), where.c_str(), why.c_str());
        return 1;
    };

    int leadingLines = 0;
    if (scripted) {
        std::string error;
        leadingLines = queueLeadingAnswers(answers, script, error);
        if (leadingLines < 0) return failed("", error);
    }
    const bool started = program.start(dialogs, scripted);
    if (scripted && !answers.failure().empty()) {
        program.finish();
        return failed("start-up: ", answers.failure());
    }
    if (!started) {
        program.finish();
        return 0;
    }
    int status = 0;
    if (scripted) {
        std::string error;
        if (!program.runScript(script, leadingLines, error)) status = failed("", error);
    } else {
        status = program.exec();
    }
    program.finish();
    return status;
}

} // namespace quillo
