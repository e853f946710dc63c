// The two message boxes of every program: OK for a message, Yes/No for a
// question, titled "Message Box" unless the program names another title.
#pragma once

#include <string>

class QWidget;

namespace quillo {

inline constexpr const char* messageBoxTitle = "Message Box";

void showMessageBox(QWidget* owner, const std::string& text, const char* title = messageBoxTitle);
// True only for Yes; closing the box counts as No.
bool askMessageBox(QWidget* owner, const std::string& text, const char* title = messageBoxTitle);

} // namespace quillo
