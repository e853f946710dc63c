// "DRETU": puts a list of names in a new order. The selected entry moves
// one place up ("前へ") or down ("後ろへ") and stays selected.
#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QListWidget;

namespace quillo {

class ReorderBox : public QDialog {
    Q_OBJECT

public:
    explicit ReorderBox(const std::vector<std::string>& names, QWidget* parent = nullptr);
    // The old indices in their current order.
    const std::vector<int>& order() const { return order_; }

private:
    void move(int by);
    void refill(int selected);

    std::vector<std::string> names_;
    std::vector<int> order_;
    QListWidget* list_;
};

} // namespace quillo
