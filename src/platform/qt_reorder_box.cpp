#include "qt_reorder_box.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

#include <utility>

#include "control_ids.h"
#include "qt_dialog_parts.h"
#include "qt_text.h"

namespace quillo {

ReorderBox::ReorderBox(const std::vector<std::string>& names, QWidget* parent, int forward, int backward)
    : QDialog(parent), names_(names)
{
    prepareDialog(this, "DRETU", "並べ替えダイアログ");
    for (int i = 0; i < int(names_.size()); ++i) order_.push_back(i);
    list_ = named(new QListWidget(this), controls::list);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);

    QPushButton* up = makeButton(this, forward, "前へ");
    QPushButton* down = makeButton(this, backward, "後ろへ");
    QPushButton* ok = makeButton(this, controls::ok, "OK");
    QPushButton* cancel = makeButton(this, controls::cancel, "ｷｬﾝｾﾙ");
    ok->setDefault(true);
    connect(up, &QPushButton::clicked, this, [this] { move(-1); });
    connect(down, &QPushButton::clicked, this, [this] { move(+1); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(up);
    side->addWidget(down);
    side->addStretch();
    side->addWidget(ok);
    side->addWidget(cancel);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(side);
    refill(0);
    list_->setFocus();
}

void ReorderBox::refill(int selected)
{
    list_->clear();
    for (int i : order_) list_->addItem(toDisplay(names_[size_t(i)]));
    if (selected >= 0 && selected < list_->count()) list_->setCurrentRow(selected);
}

void ReorderBox::move(int by)
{
    QListWidgetItem* item = list_->currentItem();
    if (!item || !item->isSelected()) return;
    const int from = list_->row(item), to = from + by;
    if (to < 0 || to >= int(order_.size())) return; // the first cannot go up, the last not down
    std::swap(order_[size_t(from)], order_[size_t(to)]);
    refill(to);
}

} // namespace quillo
