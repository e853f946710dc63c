// The drawing area of the animation editor and the screen saver: it keeps
// the window's copy of the engine's XRGB8888 target and updates it by
// copying only the rectangles the engine presents.
#pragma once

#include <QImage>
#include <QWidget>

#include <vector>

#include "engine3d/device.h"

namespace quillo {

// The largest rectangle of `picture`'s aspect ratio centred in `area`
// (the whole area for an empty picture).
QRect fittedRect(const QSize& picture, const QRect& area);

class EngineView : public QWidget {
public:
    explicit EngineView(QWidget* parent = nullptr);

    // Copies the presented rectangles of `target` into the window's copy
    // (a new target size starts a black copy) and repaints them.
    void present(const engine3d::Target& target, const std::vector<engine3d::Rect>& rects);
    // The window's copy as it is shown.
    const QImage& shown() const { return image_; }
    // Full screen: the picture is scaled to the widget.
    bool scaleToFit = false;
    // With scaleToFit: the scale keeps the picture's aspect ratio, with
    // black bars where the widget's shape differs.
    bool keepAspect = false;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

} // namespace quillo
