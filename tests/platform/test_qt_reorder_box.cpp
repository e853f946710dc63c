#include "platform/qt_reorder_box.h"

#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

#include "../support/qt_test_app.h"
#include "platform/control_ids.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_text.h"

using namespace quillo;
using quillo::test::onModal;

namespace {

QStringList shown(const ReorderBox& box)
{
    QStringList names;
    auto* list = findControl<QListWidget>(&box, controls::list);
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    return names;
}

int selectedRow(const ReorderBox& box) { return findControl<QListWidget>(&box, controls::list)->currentRow(); }

} // namespace

TEST(QtReorderBox, ButtonsSwapAndTheSelectionFollows)
{
    ReorderBox box({"頭", "胴", "腕"});
    EXPECT_EQ(box.objectName(), "DRETU");
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8("並べ替えダイアログ"));
    auto* up = findControl<QPushButton>(&box, controls::forward);
    auto* down = findControl<QPushButton>(&box, controls::backward);
    EXPECT_EQ(up->text(), QString::fromUtf8("前へ"));
    EXPECT_EQ(down->text(), QString::fromUtf8("後ろへ"));
    EXPECT_EQ(selectedRow(box), 0); // the first is selected

    up->click(); // the first cannot go up
    EXPECT_EQ(box.order(), (std::vector<int>{0, 1, 2}));

    findControl<QListWidget>(&box, controls::list)->setCurrentRow(2);
    up->click();
    EXPECT_EQ(box.order(), (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(shown(box), (QStringList{QString::fromUtf8("頭"), QString::fromUtf8("腕"), QString::fromUtf8("胴")}));
    EXPECT_EQ(selectedRow(box), 1);
    up->click();
    EXPECT_EQ(box.order(), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(selectedRow(box), 0);

    down->click();
    down->click();
    EXPECT_EQ(box.order(), (std::vector<int>{0, 1, 2})); // back where it was
    EXPECT_EQ(selectedRow(box), 2);
    down->click(); // the last cannot go down
    EXPECT_EQ(box.order(), (std::vector<int>{0, 1, 2}));
}

TEST(QtReorderBox, OkGivesTheNewOrderAndCancelKeepsTheOld)
{
    bool active = true;
    QtDialogs dialogs(nullptr, &active);
    std::vector<int> order{0, 1, 2, 3};
    onModal<ReorderBox>([&](ReorderBox* box) {
        EXPECT_FALSE(active);
        findControl<QListWidget>(box, controls::list)->setCurrentRow(1);
        findControl<QPushButton>(box, controls::backward)->click();
        findControl<QPushButton>(box, controls::ok)->click();
    });
    EXPECT_EQ(dialogs.reorderBox({"a", "b", "c", "d"}, order), 1);
    EXPECT_EQ(order, (std::vector<int>{0, 2, 1, 3}));
    EXPECT_TRUE(active);

    onModal<ReorderBox>([](ReorderBox* box) {
        findControl<QPushButton>(box, controls::backward)->click();
        findControl<QPushButton>(box, controls::cancel)->click();
    });
    EXPECT_EQ(dialogs.reorderBox({"a", "b", "c", "d"}, order), -1);
    EXPECT_EQ(order, (std::vector<int>{0, 2, 1, 3}));
}

TEST(QtReorderBox, AnEmptyListHasNothingToMove)
{
    ReorderBox box({});
    findControl<QPushButton>(&box, controls::forward)->click();
    findControl<QPushButton>(&box, controls::backward)->click();
    EXPECT_TRUE(box.order().empty());
}
