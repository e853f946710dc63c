// The animation editor's main window "D3DMAIN": the engine's picture, the
// status line at its top left, the mouse, and the redraw cycle, on the
// shared editor window (menus, keys, tool and selector windows). While a
// menu is open nothing is drawn and the mouse does nothing; after it closes
// a button still held is waited for. Playback runs on a timer.
#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

#include "anime_editor.h"
#include "platform/editor_main_window.h"
#include "platform/editor_script.h"
#include "platform/engine_view.h"

namespace quillo::animeditor {

class AnimeWindow : public EditorMainWindow, public ScriptView {
    Q_OBJECT
public:
    explicit AnimeWindow(const AnimatorSettings& settings);
    ~AnimeWindow() override;
    // Connects the editor: its commands become the menus and keys.
    void setEditor(AnimeEditor* editor);
    // Draws a frame and presents what changed; then the status line.
    void drawframe();
    EngineView* view() const { return view_; }
    QString statusText() const { return status_->text(); }

    // EditorHost
    void requestRepaint() override {}
    // ScriptView
    void drawFrame() override { drawframe(); }
    bool writeRender(const std::string& path, std::string& why) override;
    bool writeScreenshot(const std::string& path, std::string& why) override { return saveWindowPicture(path, why); }
    bool resizeWindow(int width, int height, std::string&) override { return resizeAndSettle(width, height); }

protected:
    void commandDone(bool redraw) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchMenus();
    void showStatus();
    // One timer tick of playback: every step that is due, one picture.
    void playbackTick();
    bool writePicture(const std::string& path, int n, int count, std::string& why);

    AnimeEditor* editor_ = nullptr;
    EngineView* view_;
    QLabel* status_;
    bool menuOpen_ = false;
    bool waitForRelease_ = false; // a menu closed with a button held
    QTimer playbackTimer_;
    QElapsedTimer playbackClock_;
    int64_t stepsDone_ = 0;
    QPointer<QProgressDialog> progress_;
};

} // namespace quillo::animeditor
