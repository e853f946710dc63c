// "DSEL": choose one name of a list; an optional text is painted at the
// top-left corner of the box.
#pragma once

#include <string>
#include <vector>

#include <QDialog>
#include <QString>

class QListWidget;

namespace quillo {

class SelectBox : public QDialog {
    Q_OBJECT

public:
    SelectBox(const std::vector<std::string>& names, const std::string& text, int start,
              QWidget* parent = nullptr);
    // The selected index, or -1 when nothing is selected.
    int chosen() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QListWidget* list_;
    QString text_;
};

} // namespace quillo
