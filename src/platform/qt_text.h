// Between the suite's byte strings and Qt's texts. Names read from files
// are kept as the bytes they were: UTF-8 ones are shown as such, others
// are taken for code page 932 (the files of the original Windows programs).
#pragma once

#include <string>

#include <QString>
#include <QWidget>

namespace quillo {

QString toDisplay(const std::string& bytes);
// UTF-8 bytes to a QString and back, whole.
QString toQt(const std::string& utf8);
std::string fromQt(const QString& text);
// What a text field holds, as UTF-8 cut to at most `maxBytes` bytes
// without splitting a character.
std::string fromField(const QString& text, size_t maxBytes = 255);

// The object name a control carries: its identifier in decimal.
QString controlName(int id);

// The control `id` of a dialog or window, or null.
template <class T>
T* findControl(const QWidget* parent, int id)
{
    return parent ? parent->findChild<T*>(controlName(id)) : nullptr;
}

} // namespace quillo
