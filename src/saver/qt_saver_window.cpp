#include "qt_saver_window.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>

#include "platform/engine_view.h"
#include "platform/qt_font.h"
#include "platform/qt_text.h"
#include "x11_window.h"

namespace quillo {

QtSaverWindow::QtSaverWindow(SaverMode mode, SaverPlayer& player, Clock clock)
    : mode_(mode), player_(player), clock_(std::move(clock)), view_(new EngineView(this))
{
    setWindowTitle(QString::fromUtf8(mode == SaverMode::saver ? "Quillo Screen Saver" : "Screen Saver Preview"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    view_->scaleToFit = mode == SaverMode::saver;
    view_->keepAspect = true;
    view_->setAttribute(Qt::WA_TransparentForMouseEvents); // the window takes the input
    view_->hide();
    stepTimer_.setSingleShot(true);
    stepTimer_.setTimerType(Qt::PreciseTimer);
    connect(&stepTimer_, &QTimer::timeout, this, [this] { tick(); });
    connect(&parentTimer_, &QTimer::timeout, this, [this] { watchParent(); });
}

QtSaverWindow::~QtSaverWindow() { player_.release(); }

bool QtSaverWindow::open(uint64_t parent)
{
    if (mode_ == SaverMode::saver) {
        setCursor(Qt::BlankCursor);
        setMouseTracking(true);
        if (QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->geometry());
        showFullScreen();
        return true;
    }
    QSize size;
    if (!x11WindowSize(parent, size)) return false;
    QWindow* foreign = QWindow::fromWinId(WId(parent));
    if (!foreign) return false;
    parent_ = parent;
    parentSize_ = size;
    setAttribute(Qt::WA_NativeWindow);
    winId();
    windowHandle()->setParent(foreign);
    setGeometry(0, 0, std::max(size.width(), 1), std::max(size.height(), 1));
    show();
    parentTimer_.start(500); // follows the parent's size, and ends when it goes
    return true;
}

void QtSaverWindow::play(const SaverSettings& settings)
{
    const bool full = mode_ == SaverMode::saver;
    const int width = full ? settings.modewidth : this->width();
    const int height = full ? settings.modeheight : this->height();
    if (player_.start(settings, width, height, clock_())) {
        view_->setGeometry(rect());
        view_->show();
        present();
        schedule();
    }
    update();
}

void QtSaverWindow::tick()
{
    if (finished_) return;
    if (player_.tick(clock_())) present();
    schedule();
}

void QtSaverWindow::schedule()
{
    const int64_t wait = player_.untilNext(clock_());
    if (wait < 0) return;
    stepTimer_.start(int(std::min<int64_t>(wait, 1000)));
}

void QtSaverWindow::present()
{
    anim::AnimationStage* stage = player_.stage();
    if (!stage) return;
    view_->present(stage->layer().device().target(), stage->layer().presented());
}

void QtSaverWindow::showText(const std::string& text)
{
    notices_ += toQt(text).split('\n');
    update();
}

void QtSaverWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    QFont font = uiFont(12);
    font.setPixelSize(12);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    auto line = [&](int y, const QString& text) {
        const QRect box(0, y, metrics.horizontalAdvance(text) + 2, failureLineStep);
        painter.fillRect(box, Qt::white);
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
    };
    for (int i = 0; i < notices_.size(); ++i) line(i * failureLineStep, notices_[i]);
    if (player_.failed())
        for (int i = 0; i < 5; ++i) line(i * failureLineStep, QString::fromUtf8(failureLines[i]));
}

void QtSaverWindow::resizeEvent(QResizeEvent*)
{
    view_->setGeometry(rect());
    if (mode_ != SaverMode::saver && player_.resize(width(), height())) present();
}

void QtSaverWindow::watchParent()
{
    QSize size;
    if (!x11WindowSize(parent_, size)) {
        finish(); // the window we draw into went away
        return;
    }
    if (size != parentSize_) {
        parentSize_ = size;
        resize(std::max(size.width(), 1), std::max(size.height(), 1));
    }
}

void QtSaverWindow::mouseInput(int x, int y)
{
    if (mode_ == SaverMode::saver && !finished_ && rules_.mouseMoved(x, y)) finish();
}

void QtSaverWindow::input(SaverInput::Event event)
{
    if (mode_ == SaverMode::saver && !finished_ && rules_.happened(event)) finish();
}

void QtSaverWindow::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint at = e->globalPosition().toPoint();
    mouseInput(at.x(), at.y());
}

void QtSaverWindow::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton || e->button() == Qt::MiddleButton)
        input(SaverInput::Event::buttonDown);
}

void QtSaverWindow::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton || e->button() == Qt::MiddleButton)
        input(SaverInput::Event::buttonUp);
}

void QtSaverWindow::mouseDoubleClickEvent(QMouseEvent*) { input(SaverInput::Event::doubleClick); }
void QtSaverWindow::wheelEvent(QWheelEvent*) { input(SaverInput::Event::wheel); }
void QtSaverWindow::keyPressEvent(QKeyEvent*) { input(SaverInput::Event::keyDown); }

void QtSaverWindow::closeEvent(QCloseEvent* e)
{
    // The window menu's close command does not end the saver; only the input rules do.
    if (mode_ == SaverMode::saver && !closing_) {
        input(SaverInput::Event::closeCommand);
        e->ignore();
        return;
    }
    e->accept();
}

void QtSaverWindow::finish()
{
    if (finished_) return;
    finished_ = true;
    stepTimer_.stop();
    parentTimer_.stop();
    player_.release();
    closing_ = true;
    close();
    if (onFinished) onFinished();
}

} // namespace quillo
