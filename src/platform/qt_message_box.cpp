#include "qt_message_box.h"

#include <QMessageBox>

#include "qt_font.h"
#include "qt_text.h"

namespace quillo {

namespace {

int runBox(QWidget* owner, const std::string& text, const char* title, QMessageBox::StandardButtons buttons,
           QMessageBox::StandardButton first, QMessageBox::StandardButton escape)
{
    QMessageBox box(owner);
    box.setObjectName("MessageBox");
    box.setFont(uiFont(9));
    box.setWindowTitle(QString::fromUtf8(title));
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(toDisplay(text));
    box.setStandardButtons(buttons);
    box.setDefaultButton(first);
    box.setEscapeButton(escape);
    return box.exec();
}

} // namespace

void showMessageBox(QWidget* owner, const std::string& text, const char* title)
{
    runBox(owner, text, title, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok);
}

bool askMessageBox(QWidget* owner, const std::string& text, const char* title)
{
    return runBox(owner, text, title, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No) == QMessageBox::Yes;
}

} // namespace quillo
