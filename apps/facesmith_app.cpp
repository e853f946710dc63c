#include "facesmith_app.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <iostream>

#include "facesmith_dialog.h"
#include "facesmith_files.h"
#include "facesmith_script.h"
#include "model/file_util.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_font.h"
#include "platform/scripted_dialogs.h"

namespace quillo {

namespace {

int runScript(FacesmithDialog& dialog, ScriptedDialogs& answers, const std::string& script,
              const std::string& scriptPath)
{
    // A script never starts a browser; it is told which page would open.
    dialog.setHelpOpener([](const QUrl& url) {
        std::cout << "help page " << url.toLocalFile().toStdString() << std::endl;
        return true;
    });
    dialog.show();
    dialog.activateWindow();
    FacesmithScript run(dialog, answers, std::cout);
    if (!run.run(script)) {
        std::fprintf(stderr, "facesmith: %s: %s\n", scriptPath.c_str(), run.error().c_str());
        return 1;
    }
    return 0;
}

} // namespace

int runFacesmithWindow(int& argc, char** argv, const std::string& commandLine, const std::string& scriptPath)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // the size field is read and written the C way
    registerUiFont();
    QApplication::setFont(uiFont(9));

    if (scriptPath.empty()) {
        QtDxfFileChooser files;
        FacesmithDialog dialog(commandLine, files);
        files.setOwner(&dialog);
        QtDialogs messages(&dialog);
        MessageSink* previous = setMessageSink(&messages);
        dialog.exec();
        setMessageSink(previous);
        return 0;
    }

    std::string script;
    if (!readWholeFile(scriptPath, script)) {
        std::fprintf(stderr, "facesmith: cannot read the script %s\n", scriptPath.c_str());
        return 2;
    }
    ScriptedDialogs answers;
    ScriptedDxfFileChooser files(answers);
    FacesmithDialog dialog(commandLine, files);
    MessageSink* previous = setMessageSink(&answers);
    int status = runScript(dialog, answers, script, scriptPath);
    setMessageSink(previous);
    return status;
}

} // namespace quillo
