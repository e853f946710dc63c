#include "qt_select_box.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QVBoxLayout>

#include "control_ids.h"
#include "qt_dialog_parts.h"
#include "qt_text.h"

namespace quillo {

SelectBox::SelectBox(const std::vector<std::string>& names, const std::string& text, int start, QWidget* parent)
    : QDialog(parent), text_(toDisplay(text))
{
    prepareDialog(this, "DSEL", "Select Box");
    list_ = named(new QListWidget(this), controls::list);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const std::string& name : names) list_->addItem(toDisplay(name));
    if (start >= 0 && start < list_->count()) list_->setCurrentRow(start);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        list_->setCurrentItem(item);
        accept();
    });

    QHBoxLayout* buttons = okCancelRow(this, "Ok", "Cancel");
    auto* layout = new QVBoxLayout(this);
    if (!text_.isEmpty()) {
        // Room for the text painted above the list.
        QRect needed = QFontMetrics(font()).boundingRect(QRect(0, 0, 1000, 1000), Qt::AlignLeft | Qt::AlignTop,
                                                         text_);
        QMargins margins = layout->contentsMargins();
        margins.setTop(needed.height() + 4);
        layout->setContentsMargins(margins);
        setMinimumWidth(needed.width() + 8);
    }
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(qMax(width(), 220), 260);
    list_->setFocus();
}

int SelectBox::chosen() const
{
    QListWidgetItem* item = list_->currentItem();
    return item && item->isSelected() ? list_->row(item) : -1;
}

void SelectBox::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (text_.isEmpty()) return;
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawText(QRect(0, 0, width(), height()), Qt::AlignLeft | Qt::AlignTop, text_);
}

} // namespace quillo
