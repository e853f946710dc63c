#include "qt_selector.h"

#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "control_ids.h"
#include "model/text_util.h"
#include "qt_dialog_parts.h"
#include "qt_text.h"

namespace quillo {

Selector::Selector(const SelectorKind& kind, std::function<void(int)> onSelect, QWidget* owner)
    : kind_(kind), onSelect_(std::move(onSelect)), owner_(owner)
{
}

Selector::~Selector() { delete window_.data(); }

void Selector::fill(const std::vector<std::string>& names)
{
    names_.clear();
    names_.reserve(names.size());
    for (const std::string& name : names) names_.push_back(cutUtf8(name, 255));
    current_ = 0;
    refill();
}

void Selector::select(int index)
{
    current_ = index;
    showCurrent();
}

void Selector::show()
{
    if (window_) {
        showCurrent();
        window_->raise();
        return;
    }
    auto* window = new QDialog(owner_.data());
    window->setAttribute(Qt::WA_DeleteOnClose);
    prepareDialog(window, kind_.resource, kind_.title);
    list_ = named(new QListWidget(window), controls::list);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(list_, &QListWidget::currentRowChanged, window, [this](int row) { picked(row); });
    (new QVBoxLayout(window))->addWidget(list_);
    window->resize(180, 240);
    window_ = window;
    refill();
    window->show();
}

void Selector::close()
{
    if (window_) window_->close();
}

void Selector::refill()
{
    if (!window_) return;
    if (notifying_) {
        // The list is in the middle of telling us about a click; change it
        // once that is over.
        QTimer::singleShot(0, window_.data(), [this] { refill(); });
        return;
    }
    quiet_ = true;
    list_->clear();
    for (const std::string& name : names_) list_->addItem(toDisplay(name));
    quiet_ = false;
    showCurrent();
}

void Selector::showCurrent()
{
    if (!window_ || notifying_) return;
    quiet_ = true;
    if (current_ >= 0 && current_ < list_->count()) {
        list_->setCurrentRow(current_);
    } else {
        list_->clearSelection();
        list_->setCurrentRow(-1);
    }
    quiet_ = false;
}

void Selector::picked(int row)
{
    if (quiet_ || row < 0) return;
    current_ = row;
    if (!onSelect_) return;
    notifying_ = true;
    onSelect_(row);
    notifying_ = false;
    if (window_ && current_ != list_->currentRow()) showCurrent();
}

} // namespace quillo
