#include "qt_mag_box.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

#include "control_ids.h"
#include "field_text.h"
#include "qt_dialog_parts.h"

namespace quillo {

MagBox::MagBox(float x, float y, float z, QWidget* parent) : QDialog(parent), factors_{x, y, z}
{
    prepareDialog(this, "DMAG", "拡大／縮小率の設定");
    static constexpr const char* labels[3] = {"横", "縦", "奥行き"};
    static constexpr int ids[3] = {controls::magWidth, controls::magHeight, controls::magDepth};
    auto* form = new QFormLayout;
    for (int i = 0; i < 3; ++i) {
        fields_[i] = named(new QLineEdit(QString::fromStdString(formatFixed(factors_[i], 8, 3)), this), ids[i]);
        fields_[i]->setMaxLength(64);
        // Only what the user types is read back: a factor left alone keeps
        // all its digits, not just the three shown.
        connect(fields_[i], &QLineEdit::textEdited, this, [this, i](const QString& t) { edited(i, t); });
        form->addRow(new QLabel(QString::fromUtf8(labels[i]), this), fields_[i]);
    }
    QHBoxLayout* buttons = okCancelRow(this, "OK", "ｷｬﾝｾﾙ");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    fields_[0]->setFocus();
}

void MagBox::edited(int axis, const QString& text)
{
    double value = 0.0;
    if (!scanReal(text.toStdString(), value)) return; // no number: the factor stays
    const double largest = std::numeric_limits<float>::max();
    factors_[axis] = float(std::clamp(value, -largest, largest));
}

} // namespace quillo
