#include "platform/qt_tool_window.h"

#include <QGroupBox>
#include <QPushButton>
#include <gtest/gtest.h>

#include <set>

#include "../support/qt_test_app.h"
#include "modeler/modeler_tool_windows.h"
#include "platform/qt_text.h"

using namespace quillo;
using quillo::test::flushDeletes;
using quillo::test::visibleWindows;

namespace {

using Buttons = std::vector<std::pair<int, QString>>;

Buttons buttonsOf(const ToolGroupSpec& g)
{
    Buttons v;
    for (const ToolButtonSpec& b : g.buttons) v.emplace_back(b.command, QString::fromUtf8(b.label));
    return v;
}

Buttons buttonsOf(const ToolWindowSpec& layout)
{
    Buttons v;
    for (const ToolGroupSpec& g : layout.groups)
        for (const auto& b : buttonsOf(g)) v.push_back(b);
    return v;
}

} // namespace

TEST(QtToolWindow, TheModeWindow)
{
    const ToolWindowSpec& s = modeWindowSpec();
    EXPECT_EQ(s.command, 520);
    EXPECT_STREQ(s.resource, "DMODE");
    EXPECT_STREQ(s.title, "ﾓｰﾄﾞ");
    std::vector<std::pair<int, QString>> expected = {{620, "カメラ"}, {622, "物体"}, {623, "部分"},
                                                     {631, "部分２"}, {621, "点"},   {630, "ﾃｸｽﾁｬ"}};
    EXPECT_EQ(buttonsOf(s), expected);
}

TEST(QtToolWindow, TheFaceToolWindow)
{
    const ToolWindowSpec& s = faceWindowSpec();
    EXPECT_EQ(s.command, 523);
    EXPECT_STREQ(s.resource, "DTOOL");
    EXPECT_STREQ(s.title, "面操作");
    std::vector<std::pair<int, QString>> expected = {
        {500, "部分異動"}, {501, "削除"},     {502, "十字分割"},  {503, "水平分割"},
        {504, "垂直分割"}, {505, "斜線変更"}, {508, "点追加"},    {509, "点変更"},
        {510, "色変更"},   {511, "ﾃｸｽﾁｬ変更"}, {506, "立ち上げ"}, {507, "両面／片面"},
        {512, "ねじれ対策"}, {513, "裏返す"}, {618, "実行"},      {619, "逆実行"}};
    EXPECT_EQ(buttonsOf(s), expected);
}

TEST(QtToolWindow, TheMouseWindowHasItsFourGroups)
{
    const ToolWindowSpec& s = mouseWindowSpec();
    EXPECT_EQ(s.command, 524);
    EXPECT_STREQ(s.resource, "DMOUS");
    EXPECT_STREQ(s.title, "マウス設定");
    std::vector<std::string> titles;
    for (const ToolGroupSpec& g : s.groups) titles.push_back(g.title);
    ASSERT_EQ(titles, (std::vector<std::string>{"移動距離", "回転角度", "マウス縦移動", "マウス横移動"}));
    EXPECT_TRUE(s.groups[3].beside); // the two mouse groups side by side
    EXPECT_FALSE(s.groups[2].beside);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(s.groups[0].buttons[size_t(i)].command, 600 + i);
        EXPECT_EQ(s.groups[1].buttons[size_t(i)].command, 514 + i);
        EXPECT_EQ(std::string(s.groups[0].buttons[size_t(i)].label), std::to_string(i + 1));
        EXPECT_EQ(std::string(s.groups[1].buttons[size_t(i)].label), std::to_string(i + 1));
    }
    EXPECT_EQ(buttonsOf(s.groups[2]),
              (Buttons{{1200, "Ｘ移動"}, {1201, "Ｙ移動"}, {1202, "Ｚ移動"}, {1203, "縦回転"}, {1210, "Cancel"}}));
    EXPECT_EQ(buttonsOf(s.groups[3]), (Buttons{{1204, "Ｘ移動"}, {1205, "Ｙ移動"}, {1206, "Ｚ移動"}, {1207, "横回転"},
                                               {1208, "バンク"}, {1209, "Cancel"}}));
}

TEST(QtToolWindow, EachButtonSendsItsCommand)
{
    for (const ToolWindowSpec* layout : {&modeWindowSpec(), &faceWindowSpec(), &mouseWindowSpec()}) {
        std::vector<int> sent;
        ToolWindow w(*layout, [&](int id) { sent.push_back(id); });
        w.show();
        ASSERT_TRUE(w.isOpen());
        EXPECT_EQ(w.window()->objectName(), QString::fromUtf8(layout->resource));
        EXPECT_EQ(w.window()->windowTitle(), QString::fromUtf8(layout->title));
        std::vector<int> expected;
        for (const auto& [id, label] : buttonsOf(*layout)) {
            auto* button = findControl<QPushButton>(w.window(), id);
            ASSERT_NE(button, nullptr) << id;
            EXPECT_EQ(button->text(), label);
            button->click();
            expected.push_back(id);
        }
        EXPECT_EQ(sent, expected);
        EXPECT_EQ(int(w.window()->findChildren<QPushButton*>().size()), int(expected.size()));
    }
}

TEST(QtToolWindow, TheMouseWindowShowsItsGroupBoxes)
{
    ToolWindow w(mouseWindowSpec(), nullptr);
    w.show();
    std::set<QString> titles;
    for (QGroupBox* g : w.window()->findChildren<QGroupBox*>()) titles.insert(g->title());
    EXPECT_EQ(titles, (std::set<QString>{"移動距離", "回転角度", "マウス縦移動", "マウス横移動"}));
    auto* cancel = findControl<QPushButton>(w.window(), 1210);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(qobject_cast<QGroupBox*>(cancel->parentWidget())->title(), QString::fromUtf8("マウス縦移動"));
}

TEST(QtToolWindow, AskingTwiceLeavesOneWindow)
{
    ToolWindow w(mouseWindowSpec(), nullptr);
    w.show();
    QDialog* first = w.window();
    w.show();
    EXPECT_EQ(w.window(), first);
    EXPECT_EQ(visibleWindows("DMOUS"), 1);
    w.window()->close();
    flushDeletes();
    EXPECT_FALSE(w.isOpen());
    EXPECT_EQ(visibleWindows("DMOUS"), 0);
    w.show();
    EXPECT_TRUE(w.isOpen());
    EXPECT_EQ(visibleWindows("DMOUS"), 1);
}

TEST(QtToolWindow, AButtonMayCloseItsOwnWindow)
{
    ToolWindow* self = nullptr;
    ToolWindow w(modeWindowSpec(), [&](int) { self->close(); });
    self = &w;
    w.show();
    findControl<QPushButton>(w.window(), 620)->click();
    flushDeletes();
    EXPECT_FALSE(w.isOpen());
}
