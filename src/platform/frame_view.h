// Presenting an 8-bit palettised frame: the image through the palette, the
// overlay in palette pens, the status line and the information bar.
#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>

#include <functional>

#include "model/colour_table.h"
#include "overlay.h"

namespace quillo {

// The frame's pixels as an 8-bit image with the palette as its colour
// table (convert it to RGB32 to paint on it).
QImage paletteImage(const uint8_t* pixels, int pitch, int width, int height, const PaletteEntry* palette);

// Draws the overlay onto `image` (pens are palette colours).
void paintOverlay(QImage& image, const Overlay& overlay, const PaletteEntry* palette, const QFont& font);

// Draws the information bar: yellow text, black transparent, centred on
// the top edge, only when it is smaller than the image both ways.
void paintInfoBar(QImage& image, const QString& text, const QFont& font);

// The drawing area of an editor window. It asks for the frame image when
// it paints and passes mouse input on.
class FrameView : public QWidget {
    Q_OBJECT
public:
    explicit FrameView(QWidget* parent = nullptr);
    // Produces the image to show, already composed with the overlay.
    std::function<QImage()> compose;
    // Mouse input in drawing-area pixels; buttons: right 1, middle 2, left 4.
    std::function<void(int x, int y, int buttons)> mouseMoved;
    std::function<void(int x, int y, int buttons)> mousePressed;
    std::function<void(int x, int y, int buttons)> mouseReleased;
    std::function<void(int width, int height)> resized;
    // Full screen: the image is scaled to the widget.
    bool scaleToFit = false;

    static int buttonSum(Qt::MouseButtons buttons);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    QPoint toArea(const QPointF& p) const;
    QSize imageSize_;
};

} // namespace quillo
