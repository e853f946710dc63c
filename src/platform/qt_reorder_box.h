// "DRETU": puts a list of names in a new order. The selected entry moves
// one place up ("前へ") or down ("後ろへ") and stays selected.
#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QListWidget;

#include "control_ids.h"

namespace quillo {

class ReorderBox : public QDialog {
    Q_OBJECT

public:
    // `forward` and `backward`: the identifiers of the "前へ" and "後ろへ"
    // buttons, which differ between the editors.
    explicit ReorderBox(const std::vector<std::string>& names, QWidget* parent = nullptr,
                        int forward = controls::forward, int backward = controls::backward);
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
