#include "qt_tool_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>

#include <cstring>

#include "qt_dialog_parts.h"

namespace quillo {

ToolWindow::ToolWindow(const ToolWindowSpec& layout, std::function<void(int)> command, QWidget* owner)
    : layout_(layout), command_(std::move(command)), owner_(owner)
{
}

ToolWindow::~ToolWindow() { delete window_.data(); }

void ToolWindow::show()
{
    if (window_) {
        window_->raise();
        return;
    }
    auto* window = new QDialog(owner_.data());
    window->setAttribute(Qt::WA_DeleteOnClose);
    prepareDialog(window, layout_.resource, layout_.title);
    auto* layout = new QGridLayout(window);
    const auto& groups = layout_.groups;
    int row = -1;
    for (size_t g = 0; g < groups.size(); ++g) {
        const ToolGroupSpec& group = groups[g];
        const bool besideNext = g + 1 < groups.size() && groups[g + 1].beside;
        const int column = group.beside && row >= 0 ? 1 : 0;
        if (column == 0) ++row;
        const int span = column == 0 && !besideNext ? 2 : 1;
        QWidget* holder = window;
        auto* grid = new QGridLayout;
        if (group.title) {
            auto* box = new QGroupBox(QString::fromUtf8(group.title), window);
            box->setLayout(grid);
            layout->addWidget(box, row, column, 1, span);
            holder = box;
        } else {
            layout->addLayout(grid, row, column, 1, span);
        }
        const int columns = group.columns > 0 ? group.columns : 1;
        for (int i = 0; i < int(group.buttons.size()); ++i) {
            const ToolButtonSpec& b = group.buttons[size_t(i)];
            QPushButton* button = makeButton(holder, b.command, b.label);
            button->setFocusPolicy(Qt::NoFocus); // keys stay with the editor's accelerators
            if (std::strlen(b.label) == 1) button->setFixedWidth(button->fontMetrics().horizontalAdvance("00") + 16);
            // A click arrives when the button is released, so no press can
            // reach the drawing area afterwards.
            QObject::connect(button, &QPushButton::clicked, window, [this, id = b.command] {
                if (command_) command_(id);
            });
            grid->addWidget(button, i / columns, i % columns);
        }
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
    window_ = window;
    window->show();
}

void ToolWindow::close()
{
    if (window_) window_->close();
}

} // namespace quillo
