#include "engine_view.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace quillo {

QRect fittedRect(const QSize& picture, const QRect& area)
{
    if (picture.isEmpty() || area.isEmpty()) return area;
    // The wider side of the two ratios sets the scale (64-bit products: no overflow).
    const int64_t pw = picture.width(), ph = picture.height(), aw = area.width(), ah = area.height();
    int w = int(aw), h = int(ah);
    if (aw * ph > ah * pw)
        w = int(ah * pw / ph);
    else
        h = int(aw * ph / pw);
    return QRect(area.x() + int((aw - w) / 2), area.y() + int((ah - h) / 2), w, h);
}

EngineView::EngineView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void EngineView::present(const engine3d::Target& target, const std::vector<engine3d::Rect>& rects)
{
    if (target.width <= 0 || target.height <= 0) return;
    if (image_.width() != target.width || image_.height() != target.height) {
        image_ = QImage(target.width, target.height, QImage::Format_RGB32);
        image_.fill(Qt::black);
    }
    for (const engine3d::Rect& r : rects) {
        const int x1 = std::max(r.x1, 0), y1 = std::max(r.y1, 0);
        const int x2 = std::min(r.x2, target.width - 1), y2 = std::min(r.y2, target.height - 1);
        if (x2 < x1 || y2 < y1) continue;
        for (int y = y1; y <= y2; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(image_.scanLine(y));
            const uint32_t* from = target.pixels.data() + size_t(y) * size_t(target.width);
            for (int x = x1; x <= x2; ++x) row[x] = 0xFF000000u | from[x];
        }
        if (scaleToFit) update();
        else update(QRect(x1, y1, x2 - x1 + 1, y2 - y1 + 1));
    }
}

void EngineView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (image_.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    if (scaleToFit && keepAspect) {
        const QRect to = fittedRect(image_.size(), rect());
        if (to != rect()) painter.fillRect(rect(), Qt::black);
        painter.drawImage(to, image_);
        return;
    }
    if (scaleToFit) {
        painter.drawImage(rect(), image_);
        return;
    }
    painter.fillRect(rect(), Qt::black);
    painter.drawImage(0, 0, image_);
}

} // namespace quillo
