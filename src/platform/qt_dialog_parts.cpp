#include "qt_dialog_parts.h"

#include "control_ids.h"
#include "qt_font.h"

namespace quillo {

void prepareDialog(QDialog* dialog, const char* resource, const char* title)
{
    dialog->setObjectName(QString::fromUtf8(resource));
    dialog->setWindowTitle(QString::fromUtf8(title));
    dialog->setFont(uiFont(9));
    dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

QPushButton* makeButton(QWidget* parent, int id, const char* label)
{
    auto* button = new QPushButton(QString::fromUtf8(label), parent);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    return button;
}

QHBoxLayout* okCancelRow(QDialog* dialog, const char* okLabel, const char* cancelLabel, QPushButton** ok)
{
    QPushButton* okButton = makeButton(dialog, controls::ok, okLabel);
    QPushButton* cancel = makeButton(dialog, controls::cancel, cancelLabel);
    okButton->setDefault(true);
    if (ok)
        *ok = okButton;
    else
        QObject::connect(okButton, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(okButton);
    row->addWidget(cancel);
    return row;
}

} // namespace quillo
