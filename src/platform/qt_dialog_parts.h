// Pieces every dialog of the suite is made of.
#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace quillo {

// Names the dialog after its resource, sets its title and the 9-point font.
void prepareDialog(QDialog* dialog, const char* resource, const char* title);
// A push button that carries its control identifier as object name.
QPushButton* makeButton(QWidget* parent, int id, const char* label);
// The OK (default) and Cancel buttons at the right of a row. Cancel
// rejects; OK accepts unless the caller takes it through `ok` to check the
// fields first.
QHBoxLayout* okCancelRow(QDialog* dialog, const char* okLabel, const char* cancelLabel, QPushButton** ok = nullptr);
// Gives `widget` its control identifier as object name and returns it.
template <class T>
T* named(T* widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

} // namespace quillo
