#include "qt_info_text.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "qt_font.h"

namespace quillo {

engine3d::Surface QtInfoText::draw(const std::string& text)
{
    const QFont font = uiFontPixels(12);
    const QFontMetrics metrics(font);
    const QString line = QString::fromUtf8(text.data(), qsizetype(text.size()));
    engine3d::Surface out;
    out.width = std::max(1, metrics.horizontalAdvance(line));
    out.height = std::max(1, metrics.height());
    QImage image(out.width, out.height, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        // Black is the line's transparent colour, so edges are not blended into it.
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        QFont crisp = font;
        crisp.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(crisp);
        painter.setPen(QColor(255, 255, 0));
        painter.drawText(0, metrics.ascent(), line);
    }
    out.pixels.resize(size_t(out.width) * size_t(out.height));
    for (int y = 0; y < out.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < out.width; ++x) out.pixels[size_t(y) * size_t(out.width) + size_t(x)] = row[x] & 0xFFFFFFu;
    }
    return out;
}

} // namespace quillo
