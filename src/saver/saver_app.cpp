#include "saver_app.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSocketNotifier>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include "animation/sound_device.h"
#include "engine3d/engine_errors.h"
#include "model/file_util.h"
#include "platform/qt_font.h"
#include "platform/qt_info_text.h"
#include "platform/qt_message_box.h"
#include "platform/qt_settings_store.h"
#include "platform/scripted_dialogs.h"
#include "platform/sdl_sound_device.h"
#include "qt_saver_dialog.h"
#include "qt_saver_window.h"
#include "saver_lock.h"
#include "saver_player.h"
#include "saver_script.h"
#include "saver_session.h"

namespace quillo {

namespace {

// SIGTERM (how xscreensaver ends a hack) reaches the event loop through a
// socket pair, so the program ends there and releases everything.
int termPipe[2] = {-1, -1};

void onTerm(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = write(termPipe[0], &c, 1);
}

bool scriptMode(SaverMode mode) { return mode == SaverMode::settings || mode == SaverMode::saver; }

class QtSaverHost : public SaverHost, public MessageSink {
public:
    QtSaverHost(const SaverCommand& command, const std::string& script, bool scripted)
        : command_(command), script_(script), scripted_(scripted),
          store_(QString::fromUtf8("Screen Saver")), lock_(lockFolder()), previous_(setMessageSink(this))
    {
        engine3d::setErrorWording(engine3d::ErrorWording::saver);
    }
    ~QtSaverHost() override
    {
        window_.reset();
        player_.reset();
        setMessageSink(previous_);
    }

    bool failedScript() const { return !scriptError_.empty(); }

    bool prepareScript()
    {
        if (!scripted_) return true;
        if (!scriptMode(command_.mode)) return fail("--script runs only with -c or -s");
        skip_ = queueLeadingAnswers(answers_, script_, scriptError_);
        return skip_ >= 0;
    }

    // SaverHost
    bool acquireLock(SaverMode mode) override { return lock_.acquire(mode); }
    SettingsStore& store() override { return store_; }

    bool runSettingsDialog(SaverSettings& settings) override
    {
        if (scripted_) {
            ScriptedSaverDialogUser user(answers_);
            QtSaverDialog dialog(settings, user);
            SaverDialogScript run(answers_, dialog, std::cout);
            if (!run.run(script_, skip_)) return fail(run.error());
            if (dialog.logic().result() != SaverDialog::Result::accepted) return false;
            settings = dialog.logic().settings();
            return true;
        }
        QtSaverDialogUser user;
        QtSaverDialog dialog(settings, user);
        user.setOwner(&dialog);
        if (dialog.exec() != QDialog::Accepted) return false;
        settings = dialog.logic().settings();
        return true;
    }

    void message(const std::string& text) override
    {
        error(withoutCrLf(text));
    }

    bool createWindow(const SaverCommand& command) override
    {
        sound_ = makeSound();
        player_ = std::make_unique<SaverPlayer>(*sound_, &text_);
        window_ = std::make_unique<QtSaverWindow>(command.mode, *player_, [this] { return now(); });
        window_->onFinished = [] { QApplication::exit(0); };
        if (!window_->open(command.window)) {
            window_.reset();
            return false;
        }
        return true;
    }

    void showInWindow(const std::string& text) override
    {
        std::fprintf(stderr, "quillosaver: %s\n", text.c_str());
        if (window_) window_->showText(text);
    }

    int play(const SaverSettings& settings) override
    {
        window_->play(settings);
        return loop();
    }

    int waitForClose() override { return loop(); }

    // MessageSink: a message box in saver mode (the window leaves the top
    // meanwhile); inside another program's window, text in it.
    void error(const std::string& text) override
    {
        if (embedded(command_.mode)) {
            showInWindow(text);
            return;
        }
        if (scripted_) {
            answers_.error(text);
            return;
        }
        const bool onTop = window_ && window_->isVisible();
        if (onTop) window_->lower();
        showMessageBox(window_.get(), text, saverMessageTitle);
        if (onTop) window_->raise();
    }
    bool ask(const std::string& text) override
    {
        if (embedded(command_.mode)) {
            showInWindow(text);
            return false;
        }
        if (scripted_) return answers_.ask(text);
        return askMessageBox(window_.get(), text, saverMessageTitle);
    }
    // Display set-up failures are drawn at the top left of the window.
    void setupFailure(const std::string& text) override
    {
        std::fprintf(stderr, "quillosaver: %s\n", text.c_str());
        if (window_) window_->showText(text);
    }

    const std::string& scriptError() const { return scriptError_; }

private:
    // The user's runtime folder, or a folder of the user's own in /tmp.
    static std::string lockFolder()
    {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (!runtime.isEmpty() && QDir(runtime).exists()) return runtime.toStdString();
        const std::string folder = QDir::tempPath().toStdString() + "/quillosaver-" + std::to_string(getuid());
        mkdir(folder.c_str(), 0700);
        return folder;
    }

    bool fail(const std::string& why)
    {
        scriptError_ = why;
        return false;
    }

    std::unique_ptr<anim::SoundDevice> makeSound()
    {
        // The preview plays no sound, and neither does a script run.
        if (command_.mode == SaverMode::preview || scripted_) return std::make_unique<anim::SilentSoundDevice>();
        return std::make_unique<SdlSoundDevice>();
    }

    int64_t now()
    {
        if (scripted_) return scriptClock_;
        if (!clock_.isValid()) clock_.start();
        return clock_.elapsed();
    }

    int loop()
    {
        if (scripted_) {
            SaverWindowScript run(answers_, *window_, scriptClock_, std::cout);
            if (!run.run(script_, skip_)) fail(run.error());
        } else {
            QApplication::exec();
        }
        window_.reset(); // releases the engine, the animation and the sounds, once
        player_.reset();
        sound_.reset();
        return failedScript() ? 1 : 0;
    }

    SaverCommand command_;
    std::string script_;
    bool scripted_;
    int skip_ = 0;
    std::string scriptError_;
    ScriptedDialogs answers_;
    QtSettingsStore store_;
    SaverLock lock_;
    MessageSink* previous_;
    QtInfoText text_;
    std::unique_ptr<anim::SoundDevice> sound_;
    std::unique_ptr<SaverPlayer> player_;
    std::unique_ptr<QtSaverWindow> window_;
    QElapsedTimer clock_;
    int64_t scriptClock_ = 0;
};

} // namespace

int runSaverApp(int& argc, char** argv, const SaverCommand& command)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // numbers in files are always read and written the C way
    registerUiFont();
    app.setQuitOnLastWindowClosed(false); // the session decides when the program ends
    if (!command.note.empty()) std::fprintf(stderr, "%s\n", command.note.c_str());

    // SDL would otherwise take SIGTERM for itself when the sound starts.
    setenv("SDL_NO_SIGNAL_HANDLERS", "1", 0);
    std::unique_ptr<QSocketNotifier> term;
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, termPipe) == 0) {
        term = std::make_unique<QSocketNotifier>(termPipe[1], QSocketNotifier::Read);
        QObject::connect(term.get(), &QSocketNotifier::activated, [] {
            char c;
            [[maybe_unused]] const ssize_t n = read(termPipe[1], &c, 1);
            QApplication::exit(0); // not quit(): that asks every window, the foreign parent too
        });
        struct sigaction action = {};
        action.sa_handler = onTerm;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &action, nullptr);
    }

    std::string script;
    if (!command.scriptPath.empty() && !readWholeFile(command.scriptPath, script)) {
        std::fprintf(stderr, "quillosaver: cannot read the script %s\n", command.scriptPath.c_str());
        return 2;
    }
    int status = 0;
    {
        QtSaverHost host(command, script, !command.scriptPath.empty());
        if (host.prepareScript()) status = runSaverSession(command, host);
        if (host.failedScript()) {
            std::fprintf(stderr, "quillosaver: %s: %s\n", command.scriptPath.c_str(), host.scriptError().c_str());
            status = 1;
        }
    }
    signal(SIGTERM, SIG_DFL);
    return status;
}

} // namespace quillo
