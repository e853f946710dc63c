// "DEDIT": a prompt and one line of answer.
#pragma once

#include <string>

#include <QDialog>

class QLineEdit;

namespace quillo {

class InputBox : public QDialog {
    Q_OBJECT

public:
    explicit InputBox(const std::string& prompt, QWidget* parent = nullptr);
    // The answer as UTF-8, at most 255 bytes.
    std::string answer() const;

private:
    QLineEdit* answer_;
};

} // namespace quillo
