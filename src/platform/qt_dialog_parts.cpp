#include "qt_dialog_parts.h"

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

} // namespace quillo
