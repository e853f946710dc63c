#include "modeler_app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include <iostream>
#include <memory>

#include "editor_window.h"
#include "modeler_script.h"
#include "modeler_tool_windows.h"
#include "platform/editor_app.h"
#include "platform/qt_model_dialogs.h"
#include "platform/qt_png_encoder.h"
#include "platform/qt_selector.h"
#include "platform/qt_settings_store.h"
#include "platform/scripted_model_dialogs.h"

namespace quillo {

namespace {

// The drawing area's limits: at least 10, at most the screen.
void fitToScreen(EditorSettings& s)
{
    s.maxwidth = std::max(s.maxwidth, 10);
    s.maxhight = std::max(s.maxhight, 10);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize size = screen->size();
        if (size.width() >= 10 && s.maxwidth > size.width()) s.maxwidth = size.width();
        if (size.height() >= 10 && s.maxhight > size.height()) s.maxhight = size.height();
    }
}

class ModelerProgram : public EditorProgram {
public:
    explicit ModelerProgram(const std::string& file) : file_(file) {}

    const char* name() const override { return "quillomodel"; }
    Dialogs& shownDialogs() override { return qtDialogs_; }
    ScriptedDialogs& scriptedDialogs() override { return scriptedDialogs_; }

    bool start(Dialogs&, bool scripted) override
    {
        ModelDialogs& dialogs = scripted ? static_cast<ModelDialogs&>(scriptedDialogs_) : qtDialogs_;
        store_ = std::make_unique<QtSettingsStore>("Model");
        QtSettingsStore& store = *store_;
        EditorSettings settings;
        if (!loadsettings(store, settings)) { // a first run asks for the settings
            if (dialogs.optionsBox(settings) != 1) return false;
            acceptOptions(settings);
            savesettings(store, settings);
        }
        fitToScreen(settings);

        window_ = std::make_unique<EditorWindow>(settings);
        EditorWindow& window = *window_;
        window.active = false; // until start-up is over
        qtDialogs_.setOwner(&window);
        qtDialogs_.setActiveFlag(&window.active);
        editor_ = std::make_unique<ModelEditor>(dialogs, store, &window);
        ModelEditor& editor = *editor_;
        editor.settings = settings;
        editor.setPngEncoder(qtPngEncoder());
        window.setEditor(&editor);
        window.setRecentCommands(id(Cmd::RecentFile1));
        window.recentFilesChanged(editor.recentFiles().files());
        qtDialogs_.attachPalette(&editor.table);
        window.rememberGeometry(store);
        if (scripted) // a script never starts a browser; it is told which page would open
            window.setHelpOpener([](const QUrl& url) {
                std::cout << "help page " << url.toLocalFile().toStdString() << std::endl;
                return true;
            });

        window.addSelector(id(Cmd::ObjectWindow), objectSelector, [&](int i) {
            editor.selectobject(i);
            window.drawframe();
        });
        window.addSelector(id(Cmd::PartWindow), partSelector, [&](int i) {
            editor.selectpart(i);
            window.drawframe();
        });
        for (const ToolWindowSpec* layout : {&modeWindowSpec(), &faceWindowSpec(), &mouseWindowSpec()})
            window.addToolWindow(*layout);

        window.showAtStart(dialogs);
        editor.start(file_);
        // Changes not saved by a run that ended without closing are offered back.
        // The program's data folder, named as its settings are ("Quillo Proj/Model"): the
        // application object carries no names, so AppDataLocation would be the binary's name.
        recovery_ = std::make_unique<Recovery>(
            (QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Quillo Proj/Model")
                .toStdString());
        editor.setRecovery(recovery_.get());
        editor.offerRecovery(*recovery_);
        recoveryTimer_ = std::make_unique<QTimer>();
        recoveryTimer_->setInterval(recoveryIntervalMs);
        // Not while a dialog is up: a command may be half done then; the next tick writes.
        QObject::connect(recoveryTimer_.get(), &QTimer::timeout, [&editor, &window] {
            if (window.active) editor.writeRecovery();
        });
        recoveryTimer_->start();
        window.active = true;
        window.drawframe();
        return true;
    }

    bool runScript(const std::string& script, int skip, std::string& error) override
    {
        ModelerScript run(*editor_, scriptedDialogs_, *window_, std::cout);
        if (run.run(script, skip)) return true;
        error = run.error();
        return false;
    }

    int exec() override { return QApplication::exec(); }

    void finish() override
    {
        recoveryTimer_.reset();
        if (recovery_) recovery_->remove(); // a clean exit
        if (window_) window_->close();
        editor_.reset();
        window_.reset();
    }

private:
    std::string file_;
    QtModelDialogs qtDialogs_;
    ScriptedModelDialogs scriptedDialogs_;
    std::unique_ptr<QtSettingsStore> store_;
    std::unique_ptr<EditorWindow> window_;
    std::unique_ptr<ModelEditor> editor_;
    std::unique_ptr<Recovery> recovery_;
    std::unique_ptr<QTimer> recoveryTimer_;
};

} // namespace

int runEditor(int& argc, char** argv, const EditorRunOptions& options)
{
    ModelerProgram program(options.file);
    return runEditorApp(argc, argv, options.scriptPath, program);
}

} // namespace quillo
