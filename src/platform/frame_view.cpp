#include "frame_view.h"

#include <QMouseEvent>
#include <QPainter>

#include <cstring>

namespace quillo {

QImage paletteImage(const uint8_t* pixels, int pitch, int width, int height, const PaletteEntry* palette)
{
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (int i = 0; i < 256; ++i) colours.append(qRgb(palette[i].red, palette[i].green, palette[i].blue));
    image.setColorTable(colours);
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), pixels + size_t(y) * size_t(pitch), size_t(width));
    return image;
}

void paintOverlay(QImage& image, const Overlay& overlay, const PaletteEntry* palette, const QFont& font)
{
    QPainter p(&image);
    auto pen = [&](int i) {
        const PaletteEntry& e = palette[i & 255];
        return QPen(QColor(e.red, e.green, e.blue), 1);
    };
    for (const OverlayLine& l : overlay.lines) {
        p.setPen(pen(l.pen));
        p.drawLine(l.x0, l.y0, l.x1, l.y1);
    }
    if (overlay.hasMark) {
        p.setPen(pen(5));
        p.drawRect(overlay.markx - 3, overlay.marky - 3, 5, 5);
    }
    if (!overlay.status.empty()) {
        // The status line is window text: black on an opaque white ground.
        p.setFont(font);
        QString text = QString::fromStdString(overlay.status);
        QFontMetrics m(font);
        QRect box(0, 0, m.horizontalAdvance(text), m.height());
        p.fillRect(box, Qt::white);
        p.setPen(Qt::black);
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

void paintInfoBar(QImage& image, const QString& text, const QFont& font)
{
    QFontMetrics m(font);
    const int w = m.horizontalAdvance(text), h = m.height();
    if (text.trimmed().isEmpty() || w >= image.width() || h >= image.height()) return;
    QPainter p(&image);
    p.setFont(font);
    p.setPen(QColor(255, 255, 0));
    const int x = int((image.width() - w) / 2.0 + 0.5);
    p.drawText(QRect(x, 0, w, h), Qt::AlignLeft | Qt::AlignVCenter, text); // black ground is transparent
}

FrameView::FrameView(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(10, 10);
}

int FrameView::buttonSum(Qt::MouseButtons b)
{
    return (b & Qt::LeftButton ? 4 : 0) + (b & Qt::MiddleButton ? 2 : 0) + (b & Qt::RightButton ? 1 : 0);
}

QPoint FrameView::toArea(const QPointF& p) const
{
    if (!scaleToFit || imageSize_.isEmpty() || width() == 0 || height() == 0) return p.toPoint();
    return QPoint(int(p.x() * imageSize_.width() / width()), int(p.y() * imageSize_.height() / height()));
}

void FrameView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (!compose) return;
    QImage image = compose();
    imageSize_ = image.size();
    if (scaleToFit)
        p.drawImage(rect(), image);
    else
        p.drawImage(0, 0, image);
}

void FrameView::mouseMoveEvent(QMouseEvent* e)
{
    QPoint a = toArea(e->position());
    if (mouseMoved) mouseMoved(a.x(), a.y(), buttonSum(e->buttons()));
}

void FrameView::mousePressEvent(QMouseEvent* e)
{
    QPoint a = toArea(e->position());
    if (mousePressed) mousePressed(a.x(), a.y(), buttonSum(e->buttons()));
}

void FrameView::mouseReleaseEvent(QMouseEvent* e)
{
    QPoint a = toArea(e->position());
    if (mouseReleased) mouseReleased(a.x(), a.y(), buttonSum(e->buttons()));
}

void FrameView::resizeEvent(QResizeEvent*)
{
    if (resized) resized(width(), height());
}

} // namespace quillo
