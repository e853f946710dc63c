// "DMAG": three magnification factors (width, height, depth).
#pragma once

#include <QDialog>

class QLineEdit;

namespace quillo {

class MagBox : public QDialog {
    Q_OBJECT

public:
    MagBox(float x, float y, float z, QWidget* parent = nullptr);
    // The factors as last read from the fields.
    float factor(int axis) const { return factors_[axis]; }

private:
    void edited(int axis, const QString& text);

    float factors_[3];
    QLineEdit* fields_[3];
};

} // namespace quillo
