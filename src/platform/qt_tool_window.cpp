#include "qt_tool_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>

#include <cstring>

#include "qt_dialog_parts.h"

namespace quillo {

const ToolWindowSpec& modeWindowSpec()
{
    static const ToolWindowSpec layout = {520, "DMODE", "ﾓｰﾄﾞ",
                                        {{nullptr, 1,
                                          {{620, "カメラ"},
                                           {622, "物体"},
                                           {623, "部分"},
                                           {631, "部分２"},
                                           {621, "点"},
                                           {630, "ﾃｸｽﾁｬ"}}}}};
    return layout;
}

const ToolWindowSpec& faceWindowSpec()
{
    static const ToolWindowSpec layout = {523, "DTOOL", "面操作",
                                        {{nullptr, 2,
                                          {{500, "部分異動"},
                                           {501, "削除"},
                                           {502, "十字分割"},
                                           {503, "水平分割"},
                                           {504, "垂直分割"},
                                           {505, "斜線変更"},
                                           {508, "点追加"},
                                           {509, "点変更"},
                                           {510, "色変更"},
                                           {511, "ﾃｸｽﾁｬ変更"},
                                           {506, "立ち上げ"},
                                           {507, "両面／片面"},
                                           {512, "ねじれ対策"},
                                           {513, "裏返す"},
                                           {618, "実行"},
                                           {619, "逆実行"}}}}};
    return layout;
}

const ToolWindowSpec& mouseWindowSpec()
{
    static const ToolWindowSpec layout = {
        524,
        "DMOUS",
        "マウス設定",
        {{"移動距離", 6, {{600, "1"}, {601, "2"}, {602, "3"}, {603, "4"}, {604, "5"}, {605, "6"}}},
         {"回転角度", 6, {{514, "1"}, {515, "2"}, {516, "3"}, {517, "4"}, {518, "5"}, {519, "6"}}},
         {"マウス縦移動",
          1,
          {{1200, "Ｘ移動"}, {1201, "Ｙ移動"}, {1202, "Ｚ移動"}, {1203, "縦回転"}, {1210, "Cancel"}}},
         {"マウス横移動",
          1,
          {{1204, "Ｘ移動"},
           {1205, "Ｙ移動"},
           {1206, "Ｚ移動"},
           {1207, "横回転"},
           {1208, "バンク"},
           {1209, "Cancel"}},
          true}}};
    return layout;
}

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
