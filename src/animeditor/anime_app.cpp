#include "anime_app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "anime_handlers.h"
#include "anime_script.h"
#include "anime_tool_windows.h"
#include "anime_window.h"
#include "animation/recording_sound_device.h"
#include "platform/editor_app.h"
#include "platform/qt_info_text.h"
#include "platform/qt_selector.h"
#include "platform/qt_settings_store.h"
#include "platform/sdl_sound_device.h"
#include "qt_anime_dialogs.h"
#include "scripted_anime_dialogs.h"

namespace quillo::animeditor {

namespace {

bool readable(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return !path.empty() && in.good() && in.peek() != std::ifstream::traits_type::eof() &&
           !std::filesystem::is_directory(path);
}

class AnimeProgram : public EditorProgram {
public:
    explicit AnimeProgram(const std::string& file) : file_(file) {}
    const char* name() const override { return "quilloanime"; }
    Dialogs& shownDialogs() override { return qtDialogs_; }
    ScriptedDialogs& scriptedDialogs() override { return scriptedDialogs_; }

    bool start(Dialogs&, bool scripted) override
    {
        AnimeDialogs& dialogs = scripted ? static_cast<AnimeDialogs&>(scriptedDialogs_) : qtDialogs_;
        store_ = std::make_unique<QtSettingsStore>("Durarozi");
        AnimatorSettings settings;
        // A first run asks for the settings before the window; cancel ends the program.
        if (!loadAnimatorSettings(*store_, settings) && !optionsdialog(dialogs, store_.get(), settings)) return false;
        if (QScreen* screen = QGuiApplication::primaryScreen())
            limitDrawingArea(settings, screen->size().width(), screen->size().height());
        window_ = std::make_unique<AnimeWindow>(settings);
        AnimeWindow& window = *window_;
        window.active = false; // until start-up is over
        qtDialogs_.setOwner(&window);
        qtDialogs_.setActiveFlag(&window.active);
        qtDialogs_.setReorderButtons(816, 817);
        if (scripted) {
            recording_ = std::make_unique<anim::RecordingSoundDevice>();
            window.setHelpOpener([](const QUrl& url) {
                std::cout << "help page " << url.toLocalFile().toStdString() << std::endl;
                return true;
            });
        } else {
            sdl_ = std::make_unique<SdlSoundDevice>();
        }
        anim::SoundDevice& sound = scripted ? static_cast<anim::SoundDevice&>(*recording_) : *sdl_;
        editor_ = std::make_unique<AnimeEditor>(dialogs, sound, engineSettingsOf(settings), &window, &text_);
        AnimeEditor& editor = *editor_;
        if (!editor.ready()) return false; // the engine said why
        editor.settings = settings;
        editor.store = store_.get();
        window.setEditor(&editor);
        window.rememberGeometry(*store_);
        window.addSelector(id(Cmd::ObjectWindow), objectSelector, [&](int i) {
            editor.selectobject(i);
            window.drawframe();
        });
        window.addSelector(id(Cmd::PartWindow), partSelector, [&](int i) {
            editor.selectpart(i);
            window.drawframe();
        });
        for (const ToolWindowSpec* layout : {&animeModeWindowSpec(), &sceneToolWindowSpec(), &animeMouseWindowSpec()})
            window.addToolWindow(*layout);
        window.showAtStart(dialogs);
        // A command-line file that can be read stands in for the default file, for this run only.
        editor.start(readable(file_) ? file_ : settings.defaultfile);
        window.active = true;
        window.drawframe();
        return true;
    }

    bool runScript(const std::string& script, int skip, std::string& error) override
    {
        AnimeScript run(*editor_, scriptedDialogs_, *window_, std::cout, recording_.get());
        if (run.run(script, skip)) return true;
        error = run.error();
        return false;
    }

    int exec() override { return QApplication::exec(); }

    void finish() override
    {
        if (window_) window_->close();
        editor_.reset();
        window_.reset();
    }

private:
    std::string file_;
    QtAnimeDialogs qtDialogs_;
    ScriptedAnimeDialogs scriptedDialogs_;
    QtInfoText text_;
    std::unique_ptr<QtSettingsStore> store_;
    std::unique_ptr<anim::RecordingSoundDevice> recording_;
    std::unique_ptr<SdlSoundDevice> sdl_;
    std::unique_ptr<AnimeWindow> window_;
    std::unique_ptr<AnimeEditor> editor_;
};

} // namespace

int runAnimeEditor(int& argc, char** argv, const AnimeRunOptions& options)
{
    AnimeProgram program(options.file);
    return runEditorApp(argc, argv, options.scriptPath, program);
}

} // namespace quillo::animeditor
