#include "editor_app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <clocale>
#include <cstdio>
#include <iostream>

#include "editor_window.h"
#include "model/file_util.h"
#include "modeler_script.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_font.h"
#include "platform/qt_selector.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_tool_window.h"
#include "platform/scripted_dialogs.h"

namespace quillo {

namespace {

// Reads the settings; a first run asks for them. False when the user
// cancelled the options dialog (the program then ends).
bool startupSettings(SettingsStore& store, Dialogs& dialogs, EditorSettings& settings)
{
    if (loadsettings(store, settings)) return true;
    if (dialogs.optionsBox(settings) != 1) return false;
    acceptOptions(settings);
    savesettings(store, settings);
    return true;
}

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

bool writePng(EditorWindow& window, const std::string& path, std::string& why)
{
    QImage image = window.composedImage();
    if (image.isNull() || !image.save(QString::fromStdString(path), "PNG")) {
        why = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace

int runEditor(int& argc, char** argv, const EditorRunOptions& options)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // numbers in files are always read and written the C way
    registerUiFont();

    const bool scripted = !options.scriptPath.empty();
    std::string script;
    if (scripted && !readWholeFile(options.scriptPath, script)) {
        std::fprintf(stderr, "quillomodel: cannot read the script %s\n", options.scriptPath.c_str());
        return 2;
    }

    QtDialogs qtDialogs;
    ScriptedDialogs scriptedDialogs;
    Dialogs& dialogs = scripted ? static_cast<Dialogs&>(scriptedDialogs) : qtDialogs;
    MessageSink* previousSink = setMessageSink(&dialogs);

    // Answers before the first other line serve the start-up dialogs.
    int leadingLines = 0;
    if (scripted) {
        std::string error;
        leadingLines = queueLeadingAnswers(scriptedDialogs, script, error);
        if (leadingLines < 0) {
            setMessageSink(previousSink);
            std::fprintf(stderr, "quillomodel: %s: %s\n", options.scriptPath.c_str(), error.c_str());
            return 1;
        }
    }
    QtSettingsStore store("Model");
    EditorSettings settings;
    if (!startupSettings(store, dialogs, settings)) {
        setMessageSink(previousSink);
        if (scripted && !scriptedDialogs.failure().empty()) {
            std::fprintf(stderr, "quillomodel: %s: start-up: %s\n", options.scriptPath.c_str(),
                         scriptedDialogs.failure().c_str());
            return 1;
        }
        return 0;
    }
    fitToScreen(settings);

    EditorWindow window(settings);
    window.active = false; // until start-up is over
    qtDialogs.setOwner(&window);
    qtDialogs.setActiveFlag(&window.active);
    ModelEditor modelEditor(dialogs, store, &window);
    modelEditor.settings = settings;
    window.setEditor(&modelEditor);
    qtDialogs.attachPalette(&modelEditor.table);

    Selector objects(objectSelector, [&](int i) {
        modelEditor.selectobject(i);
        window.drawframe();
    }, &window);
    Selector parts(partSelector, [&](int i) {
        modelEditor.selectpart(i);
        window.drawframe();
    }, &window);
    ToolWindow modeWindow(modeWindowSpec(), [&](int id) { window.runCommand(id); }, &window);
    ToolWindow faceWindow(faceWindowSpec(), [&](int id) { window.runCommand(id); }, &window);
    ToolWindow mouseWindow(mouseWindowSpec(), [&](int id) { window.runCommand(id); }, &window);
    window.fillObjects = [&](const std::vector<std::string>& names, int current) {
        objects.fill(names);
        objects.select(current);
    };
    window.fillParts = [&](const std::vector<std::string>& names, int current) {
        parts.fill(names);
        parts.select(current);
    };
    window.showObjects = [&] { objects.show(); };
    window.showParts = [&] { parts.show(); };
    window.showTool = [&](int command) {
        if (command == 520) modeWindow.show();
        if (command == 523) faceWindow.show();
        if (command == 524) mouseWindow.show();
    };

    if (settings.fullscreen) {
        dialogs.error(formatMessage("フルスクリーンモードに切り換えます\nこのモードではメニューバーが表示されません\n"
                                    "メニューを表示したい場合は ALT または GRAPH キーを押してください"));
        window.showFullScreen();
    } else {
        window.show();
    }
    modelEditor.start(options.file);
    window.active = true;
    window.drawframe();

    int status = 0;
    if (scripted) {
        ModelerScript run(modelEditor, scriptedDialogs, [&] { window.drawframe(); },
                          [&](const std::string& path, std::string& why) { return writePng(window, path, why); },
                          std::cout, [&](const std::string& path, std::string& why) {
                              if (window.grab().save(QString::fromStdString(path), "PNG")) return true;
                              why = "cannot write " + path;
                              return false;
                          });
        run.resizeWindow = [&](int w, int h) {
            window.resize(w, h);
            QApplication::processEvents();
        };
        if (!scriptedDialogs.failure().empty()) {
            std::fprintf(stderr, "quillomodel: %s: start-up: %s\n", options.scriptPath.c_str(),
                         scriptedDialogs.failure().c_str());
            status = 1;
        } else if (!run.run(script, leadingLines)) {
            std::fprintf(stderr, "quillomodel: %s: %s\n", options.scriptPath.c_str(), run.error().c_str());
            status = 1;
        }
    } else {
        status = app.exec();
    }
    objects.close();
    parts.close();
    modeWindow.close();
    faceWindow.close();
    mouseWindow.close();
    setMessageSink(previousSink);
    return status;
}

} // namespace quillo
