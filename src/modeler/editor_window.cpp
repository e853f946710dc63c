#include "editor_window.h"

#include <QApplication>

#include <algorithm>

#include "platform/qt_png_encoder.h"

namespace quillo {

EditorWindow::EditorWindow(const EditorSettings& settings)
    : EditorMainWindow(settings.fullscreen), view_(new FrameView(this)), maxwidth_(std::max(10, settings.maxwidth)),
      maxhight_(std::max(10, settings.maxhight)), zon_(settings.zon),
      font_(QStringLiteral("ＭＳ Ｐゴシック"))
{
    font_.setPixelSize(12);
    setWindowTitle(QStringLiteral("Ｑｕｉｌｌｏ　３Ｄモデラー　ＤＤ"));
    setCentralWidget(view_);
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
    if (fullscreen_) setArea(maxwidth_, maxhight_);
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::setEditor(ModelEditor* editor)
{
    editor_ = editor;
    setCommands(editor->commands(), [editor](int command) { return editor->dispatch(command); });
}

void EditorWindow::commandDone(bool redraw)
{
    if (redraw) drawframe();
    view_->update();
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
                                frame_->palette())
                       .convertToFormat(QImage::Format_RGB32);
    if (fullscreen_) paintInfoBar(image, QStringLiteral("メニュー表示：ＡＬＴ（ＧＲＡＰＨ）キー"), font_);
    if (editor_) paintOverlay(image, editor_->overlay(), frame_->palette(), font_);
    return image;
}

bool EditorWindow::writeRender(const std::string& path, std::string& why)
{
    const QImage image = composedImage();
    if (savePng(image, path)) return true;
    why = "cannot write " + path;
    return false;
}

} // namespace quillo
