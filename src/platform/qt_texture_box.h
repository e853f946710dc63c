// "DTEXT": a texture's name, its BMP file and the plane it is laid on.
// OK does nothing while either text is empty.
#pragma once

#include <QDialog>

#include "model_dialogs.h"

class QLineEdit;
class QRadioButton;

namespace quillo {

class TextureBox : public QDialog {
    Q_OBJECT

public:
    explicit TextureBox(QWidget* parent = nullptr);
    // Valid after OK: name, file and plane (0 X-Y, 2 Z-Y, 4 X-Z).
    const TextureChoice& choice() const { return choice_; }

private:
    void browse();
    void confirm();

    QLineEdit* name_;
    QLineEdit* file_;
    QRadioButton* xy_;
    QRadioButton* zy_;
    QRadioButton* xz_;
    TextureChoice choice_;
};

} // namespace quillo
