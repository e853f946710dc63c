#include "facesmith_app.h"

#include <QApplication>

#include <iostream>
#include <memory>

#include "facesmith_dialog.h"
#include "facesmith_files.h"
#include "facesmith_script.h"
#include "platform/editor_app.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_font.h"
#include "platform/scripted_dialogs.h"

namespace quillo {

namespace {

class FacesmithProgram : public EditorProgram {
public:
    explicit FacesmithProgram(const std::string& commandLine) : commandLine_(commandLine) {}

    const char* name() const override { return "facesmith"; }
    Dialogs& shownDialogs() override { return messages_; }
    ScriptedDialogs& scriptedDialogs() override { return answers_; }

    bool start(Dialogs&, bool scripted) override
    {
        QApplication::setFont(uiFont(9));
        if (scripted) {
            files_ = std::make_unique<ScriptedDxfFileChooser>(answers_);
            dialog_ = std::make_unique<FacesmithDialog>(commandLine_, *files_);
            // A script never starts a browser; it is told which page would open.
            dialog_->setHelpOpener([](const QUrl& url) {
                std::cout << "help page " << url.toLocalFile().toStdString() << std::endl;
                return true;
            });
            dialog_->show();
            dialog_->activateWindow();
        } else {
            auto files = std::make_unique<QtDxfFileChooser>();
            QtDxfFileChooser& chooser = *files;
            files_ = std::move(files);
            dialog_ = std::make_unique<FacesmithDialog>(commandLine_, *files_);
            chooser.setOwner(dialog_.get());
            messages_.setOwner(dialog_.get());
        }
        return true;
    }

    bool runScript(const std::string& script, int skip, std::string& error) override
    {
        FacesmithScript run(*dialog_, answers_, std::cout);
        if (run.run(script, skip)) return true;
        error = run.error();
        return false;
    }

    int exec() override
    {
        dialog_->exec();
        return 0;
    }

    void finish() override
    {
        dialog_.reset();
        files_.reset();
    }

private:
    std::string commandLine_;
    QtDialogs messages_;
    ScriptedDialogs answers_;
    std::unique_ptr<DxfFileChooser> files_;
    std::unique_ptr<FacesmithDialog> dialog_;
};

} // namespace

int runFacesmithWindow(int& argc, char** argv, const std::string& commandLine, const std::string& scriptPath)
{
    FacesmithProgram program(commandLine);
    return runEditorApp(argc, argv, scriptPath, program);
}

} // namespace quillo
