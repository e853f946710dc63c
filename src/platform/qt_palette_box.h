// "DPAL": the colours of the colour table as 32 x 32 cells, 8 to a row,
// each cell showing its colour's shades from dark (top) to light. A left
// click on a colour closes the box with its index; closing it otherwise
// gives -1.
#pragma once

#include <QDialog>

#include "model/colour_table.h"

namespace quillo {

class PaletteBox : public QDialog {
    Q_OBJECT

public:
    static constexpr int cellSize = 32, gridLeft = 32, gridTop = 32, perRow = 8;

    explicit PaletteBox(const GMTBL& table, QWidget* parent = nullptr);
    // The clicked colour, or -1.
    int chosen() const { return chosen_; }
    // The colour under (x, y) for a table of `count` colours, or -1.
    static int indexAt(int x, int y, int count);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const GMTBL& table_;
    int chosen_ = -1;
};

} // namespace quillo
