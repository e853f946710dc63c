#include "anime_window.h"

#include <algorithm>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

#include "model/file_util.h"
#include "platform/engine_image.h"
#include "platform/frame_view.h"
#include "platform/qt_png_encoder.h"
#include "platform/qt_text.h"

namespace quillo::animeditor {

AnimeWindow::AnimeWindow(const AnimatorSettings& settings)
    : EditorMainWindow(settings.fullscreen), view_(new EngineView(this)), status_(new QLabel(view_))
{
    setObjectName(QStringLiteral("D3DMAIN"));
    setWindowTitle(QStringLiteral("Ｑｕｉｌｌｏ　３Ｄアニメーター　Ｄ３Ｄ"));
    setCentralWidget(view_);
    view_->scaleToFit = fullscreen_;
    view_->setMouseTracking(true);
    view_->installEventFilter(this);
    status_->move(0, 0);
    status_->setAutoFillBackground(true);
    status_->hide();
    setMinimumSize(10, 10);
    setMaximumSize(std::max(10, settings.maxwidth), std::max(10, settings.maxhight + 8) + 40);
    resize(320, 200);
    playbackTimer_.setInterval(playbackInterval);
    connect(&playbackTimer_, &QTimer::timeout, this, [this] { playbackTick(); });
}

AnimeWindow::~AnimeWindow() = default;

void AnimeWindow::setEditor(AnimeEditor* editor)
{
    editor_ = editor;
    setCommands(editor->commands(), [editor](int command) { return editor->dispatch(command); });
    editor->frameWriter = [this](const std::string& path, int n, int count, std::string& why) {
        return writePicture(path, n, count, why);
    };
    watchMenus();
}

void AnimeWindow::playbackTick()
{
    if (!editor_ || !editor_->playing()) {
        playbackTimer_.stop();
        return;
    }
    if (!active) return; // a box or a menu is up: the clock goes on, the steps wait
    const int64_t due = stepsDue(playbackClock_.elapsed(), stepsDone_, playbackInterval);
    for (int64_t i = 0; i < due; ++i) editor_->playStep();
    stepsDone_ += due;
    if (due > 0) drawframe();
}

bool AnimeWindow::writePicture(const std::string& path, int n, int count, std::string& why)
{
    if (n == 0) {
        progress_ = new QProgressDialog(QStringLiteral("連番画像を書き出しています"), QStringLiteral("ｷｬﾝｾﾙ"), 0, count, this);
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (progress_) {
        progress_->setValue(n);
        if (progress_->wasCanceled()) {
            progress_->close();
            return false;
        }
    }
    if (!makeParentFolders(path) || !writeEnginePng(editor_->layer().device().target(), path)) {
        why = "ファイル " + path + " に書き込めません";
        if (progress_) progress_->close();
        return false;
    }
    if (progress_ && n + 1 >= count) progress_->close();
    return true;
}

void AnimeWindow::watchMenus()
{
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        connect(menu, &QMenu::aboutToShow, this, [this] {
            menuOpen_ = true;
            active = false;
        });
        connect(menu, &QMenu::aboutToHide, this, [this] {
            menuOpen_ = false;
            active = true;
            waitForRelease_ = QApplication::mouseButtons() != Qt::NoButton;
        });
    }
}

void AnimeWindow::commandDone(bool redraw)
{
    if (editor_ && editor_->playing() && !playbackTimer_.isActive()) {
        stepsDone_ = 0;
        playbackClock_.start();
        playbackTimer_.start();
    } else if (editor_ && !editor_->playing()) {
        playbackTimer_.stop();
    }
    if (redraw) drawframe();
    showStatus();
}

void AnimeWindow::drawframe()
{
    // Nothing draws while a menu or a modal box is up (a command may be
    // half way, e.g. between deleting a scene and choosing the next one).
    if (!editor_ || menuOpen_ || !active) return;
    if (editor_->drawFrame()) view_->present(editor_->layer().device().target(), editor_->layer().presented());
    showStatus();
}

void AnimeWindow::showStatus()
{
    const std::string line = editor_ ? editor_->statusLine() : std::string();
    status_->setVisible(!line.empty());
    status_->setText(toQt(line));
    status_->adjustSize();
}

bool AnimeWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != view_ || !editor_) return EditorMainWindow::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type == QEvent::Resize && !fullscreen_) {
        // A window draws at its client size, within the start-up limits.
        const QSize size = view_->size();
        const engine3d::EngineSettings& limits = editor_->layer().settings();
        if (editor_->layer().resize(std::min(size.width(), limits.maxWidth), std::min(size.height(), limits.maxHight)))
            drawframe();
        return EditorMainWindow::eventFilter(watched, event);
    }
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return EditorMainWindow::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    const int buttons = FrameView::buttonSum(mouse->buttons());
    if (waitForRelease_) {
        if (buttons != 0) return true;
        waitForRelease_ = false;
    }
    if (!active) return true;
    const QPoint p = mouse->position().toPoint();
    // Left and middle presses and releases only change the held buttons.
    const bool leftOrMiddle = (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) &&
                             mouse->button() != Qt::RightButton;
    if (leftOrMiddle) return true;
    if (editor_->mouse(p.x(), p.y(), buttons)) drawframe();
    return true;
}

bool AnimeWindow::writeRender(const std::string& path, std::string& why)
{
    drawframe();
    if (savePng(view_->shown(), path)) return true;
    why = "cannot write " + path;
    return false;
}

} // namespace quillo::animeditor
