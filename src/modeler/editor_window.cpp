#include "editor_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QUrl>

#include <algorithm>

#include "command_table.h"

namespace quillo {

namespace {

// Shift+digit arrives as the shifted character on most keyboards.
QList<QKeySequence> shortcutsFor(const char* key)
{
    QString k = QString::fromUtf8(key);
    if (k.size() == 1) return {QKeySequence(k.toUpper())};
    QList<QKeySequence> keys{QKeySequence(k)};
    static const char* const us = "!@#$%^";
    static const char* const jp = "!\"#$%&";
    if (k.startsWith("Shift+") && k.size() == 7 && k[6] >= '1' && k[6] <= '6') {
        int i = k[6].unicode() - '1';
        keys << QKeySequence(QString(QChar(us[i])));
        if (jp[i] != us[i]) keys << QKeySequence(QString(QChar(jp[i])));
    }
    return keys;
}

} // namespace

QString helpPagePath()
{
    const QString app = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {app + "/../docs/quillomodel.html", app + "/../../docs/quillomodel.html",
                                     QString(QUILLO_DOCS_DIR) + "/quillomodel.html"})
        if (QFileInfo::exists(candidate)) return QFileInfo(candidate).canonicalFilePath();
    return QString();
}

EditorWindow::EditorWindow(const EditorSettings& settings)
    : view_(new FrameView(this)), maxwidth_(std::max(10, settings.maxwidth)),
      maxhight_(std::max(10, settings.maxhight)), fullscreen_(settings.fullscreen), zon_(settings.zon),
      font_(QStringLiteral("ＭＳ Ｐゴシック"))
{
    font_.setPixelSize(12);
    setWindowTitle(QStringLiteral("Ｑｕｉｌｌｏ　３Ｄモデラー　ＤＤ"));
    setCentralWidget(view_);
    buildMenus();
    resize(320, 200);
    frame_ = std::make_unique<Frame>(width_, height_, zon_);

    view_->compose = [this] { return composedImage(); };
    view_->scaleToFit = fullscreen_;
    view_->resized = [this](int w, int h) {
        if (!fullscreen_) setArea(w, h);
    };
    view_->mouseMoved = [this](int x, int y, int buttons) {
        if (!active || !editor_) return;
        if (editor_->banding()) {
            if (buttons == 4 && x >= 0 && y >= 0 && x < width_ && y < height_) {
                editor_->leftDrag(x, y);
            } else {
                editor_->leftRelease(x, y); // leaving the area ends the band
            }
            view_->update();
            return;
        }
        if (editor_->mouse(x, y, buttons)) drawframe();
        view_->update();
    };
    view_->mousePressed = [this](int x, int y, int buttons) {
        if (!active || !editor_) return;
        if (buttons == 4) {
            editor_->leftPress(x, y);
        } else if (buttons & 1) {
            if (editor_->mouse(x, y, buttons)) drawframe();
        }
        view_->update();
    };
    view_->mouseReleased = [this](int x, int y, int buttons) {
        if (!active || !editor_) return;
        if (editor_->banding())
            editor_->leftRelease(x, y);
        else if (editor_->mouse(x, y, buttons))
            drawframe();
        view_->update();
    };
    if (fullscreen_) {
        setArea(maxwidth_, maxhight_);
        menuBar()->hide(); // shown on Alt
    }
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::buildMenus()
{
    for (const char* title : modelerMenus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title));
        for (const CommandInfo& c : modelerCommands()) {
            if (std::string(c.menu ? c.menu : "") != title) continue;
            if (!c.label) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(c.label));
            action->setObjectName(QString::number(c.id));
            if (c.key) {
                action->setShortcuts(shortcutsFor(c.key));
                action->setShortcutContext(Qt::WindowShortcut);
            }
            const int id = c.id;
            connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        }
    }
}

void EditorWindow::runCommand(int command)
{
    if (!editor_ || !active) return;
    if (editor_->dispatch(command)) drawframe();
    view_->update();
}

void EditorWindow::keyPressEvent(QKeyEvent* event)
{
    if (fullscreen_ && event->key() == Qt::Key_Alt) menuBar()->setVisible(!menuBar()->isVisible());
    QMainWindow::keyPressEvent(event);
}

void EditorWindow::setArea(int w, int h)
{
    width_ = std::min(maxwidth_, std::max(w, 10));
    height_ = std::min(maxhight_, std::max(h, 10));
    if (frame_ && frame_->width() == width_ && frame_->height() == height_) return;
    auto frame = std::make_unique<Frame>(width_, height_, zon_);
    if (frame_) frame->setPalette(*reinterpret_cast<const PaletteEntry(*)[256]>(frame_->palette()));
    frame_ = std::move(frame);
    if (editor_) {
        editor_->table.attachDisplay(frame_.get());
        editor_->table.applyPalette();
    }
    drawframe();
}

void EditorWindow::drawframe()
{
    if (!editor_ || !frame_) return;
    editor_->table.attachDisplay(frame_.get());
    editor_->drawFrame(*frame_);
    view_->update();
}

QImage EditorWindow::composedImage()
{
    if (!frame_) return QImage();
    QImage image = paletteImage(frame_->row(0), frame_->pitch(), frame_->width(), frame_->height(),
                                frame_->palette());
    if (fullscreen_) paintInfoBar(image, QStringLiteral("メニュー表示：ＡＬＴ（ＧＲＡＰＨ）キー"), font_);
    if (editor_) paintOverlay(image, editor_->overlay(), frame_->palette(), font_);
    return image;
}

void EditorWindow::fillObjectSelector(const std::vector<std::string>& names, int current)
{
    if (fillObjects) fillObjects(names, current);
}
void EditorWindow::fillPartSelector(const std::vector<std::string>& names, int current)
{
    if (fillParts) fillParts(names, current);
}
void EditorWindow::showObjectSelector()
{
    if (showObjects) showObjects();
}
void EditorWindow::showPartSelector()
{
    if (showParts) showParts();
}
void EditorWindow::showToolWindow(int command)
{
    if (showTool) showTool(command);
}
void EditorWindow::closeMainWindow() { close(); }
void EditorWindow::openHelp()
{
    QString page = helpPagePath();
    if (!page.isEmpty()) QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}
void EditorWindow::requestRepaint() { drawframe(); }

} // namespace quillo
