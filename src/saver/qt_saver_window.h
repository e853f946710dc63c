// The window of saver, preview and xscreensaver modes: the engine's
// picture (in saver mode the mode size scaled to the screen keeping its
// aspect ratio), the texts drawn when something failed, the input rules
// that end the saver, and the precise timer that takes the playback steps.
#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "saver_command_line.h"
#include "saver_input.h"
#include "saver_player.h"

namespace quillo {

class EngineView;

class QtSaverWindow : public QWidget {
public:
    using Clock = std::function<int64_t()>;
    // `clock`: milliseconds; a script passes its own.
    QtSaverWindow(SaverMode mode, SaverPlayer& player, Clock clock);
    ~QtSaverWindow() override;

    // Saver: full screen on the primary screen with the pointer hidden.
    // Preview and xscreensaver: a child covering the X window `parent`,
    // checked first to exist; false when it does not.
    bool open(uint64_t parent);
    // Sets up the engine, loads the animation and shows the first frame
    // (the failure display when that fails); then the timer takes the steps.
    void play(const SaverSettings& settings);
    // A step when one is due; the timer is set for the next one.
    void tick();
    // Lines of text drawn at the top left: a message in the embedded modes,
    // a set-up failure in every mode.
    void showText(const std::string& text);

    // Input as the window receives it (scripts call these too); each
    // closes the window when the rules say so.
    void mouseInput(int x, int y);
    void input(SaverInput::Event event);

    // Whether the window was closed (by input, or its parent went away).
    bool finished() const { return finished_; }
    // Called once when the window has closed.
    std::function<void()> onFinished;

    const SaverPlayer& player() const { return player_; }
    EngineView* view() const { return view_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void present();
    void schedule();
    void finish();
    void watchParent();

    SaverMode mode_;
    SaverPlayer& player_;
    Clock clock_;
    SaverInput rules_;
    EngineView* view_;
    QTimer stepTimer_, parentTimer_;
    uint64_t parent_ = 0;
    QSize parentSize_;
    QStringList notices_; // set-up failures and messages, drawn first
    bool finished_ = false, closing_ = false;
};

} // namespace quillo
