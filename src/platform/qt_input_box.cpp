#include "qt_input_box.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "control_ids.h"
#include "qt_dialog_parts.h"
#include "qt_text.h"

namespace quillo {

InputBox::InputBox(const std::string& prompt, QWidget* parent) : QDialog(parent)
{
    prepareDialog(this, "DEDIT", "Input Box");
    auto* promptField = named(new QLineEdit(toDisplay(prompt), this), controls::prompt);
    promptField->setReadOnly(true);
    promptField->setFocusPolicy(Qt::NoFocus);
    answer_ = named(new QLineEdit(this), controls::answer);
    answer_->setMaxLength(255);
    QHBoxLayout* buttons = okCancelRow(this, "Ok", "Cancel");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promptField);
    layout->addWidget(answer_);
    layout->addLayout(buttons);
    setMinimumWidth(260);
    answer_->setFocus();
}

std::string InputBox::answer() const { return fromField(answer_->text()); }

} // namespace quillo
