#include "qt_palette_box.h"

#include <QMouseEvent>
#include <QPainter>

#include "qt_dialog_parts.h"

namespace quillo {

PaletteBox::PaletteBox(const GMTBL& table, QWidget* parent) : QDialog(parent), table_(table)
{
    prepareDialog(this, "DPAL", "パレット");
    setFixedSize(gridLeft * 2 + cellSize * perRow, gridTop * 2 + cellSize * perRow);
}

int PaletteBox::indexAt(int x, int y, int count)
{
    const int right = gridLeft + cellSize * perRow, bottom = gridTop + cellSize * perRow;
    if (x < gridLeft || x >= right || y < gridTop || y >= bottom) return -1;
    int index = (x / cellSize - 1) + (y / cellSize - 1) * perRow;
    return index < count ? index : -1;
}

void PaletteBox::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    const int count = table_.count < GMTBL::maxColours ? table_.count : GMTBL::maxColours;
    for (int i = 0; i < count; ++i) {
        const int x = gridLeft + cellSize * (i % perRow), y = gridTop + cellSize * (i / perRow);
        for (int k = 0; k < cellSize; ++k) {
            const PaletteEntry& e = table_.palette[table_.shadeAt(i * 64 + 2 * k, 0)];
            painter.fillRect(QRect(x, y + k, cellSize, 1), QColor(e.red, e.green, e.blue));
        }
    }
}

void PaletteBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    int index = indexAt(at.x(), at.y(), table_.count);
    if (index < 0) return; // beside the grid or below the last colour
    chosen_ = index;
    accept();
}

} // namespace quillo
