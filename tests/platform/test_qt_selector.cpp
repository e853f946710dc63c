#include "platform/qt_selector.h"

#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "../support/qt_test_app.h"
#include "platform/control_ids.h"
#include "platform/qt_text.h"

using namespace quillo;
using quillo::test::flushDeletes;
using quillo::test::visibleWindows;

namespace {

QListWidget* listOf(const Selector& s) { return findControl<QListWidget>(s.window(), controls::list); }

void clickRow(QListWidget* list, int row)
{
    QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
}

std::vector<std::string> names(int n)
{
    std::vector<std::string> v;
    for (int i = 0; i < n; ++i) v.push_back("part" + std::to_string(i));
    return v;
}

} // namespace

TEST(QtSelector, TitlesAndResources)
{
    Selector objects(objectSelector, nullptr);
    Selector parts(partSelector, nullptr);
    objects.show();
    parts.show();
    EXPECT_EQ(objects.window()->objectName(), "DSELOBJ");
    EXPECT_EQ(objects.window()->windowTitle(), QString::fromUtf8("物体選択"));
    EXPECT_EQ(parts.window()->objectName(), "DSELPRT");
    EXPECT_EQ(parts.window()->windowTitle(), QString::fromUtf8("部分選択"));
    EXPECT_NE(listOf(parts), nullptr);
}

TEST(QtSelector, TakesAnyNumberOfNames)
{
    Selector s(partSelector, nullptr);
    s.fill(names(1000)); // far more than any first buffer would hold
    s.show();
    ASSERT_EQ(listOf(s)->count(), 1000);
    EXPECT_EQ(listOf(s)->item(999)->text(), "part999");
    EXPECT_EQ(s.current(), 0);
    EXPECT_EQ(listOf(s)->currentRow(), 0);
    s.fill({std::string(300, 'x')});
    EXPECT_EQ(s.names()[0].size(), 255u);
    EXPECT_EQ(listOf(s)->count(), 1);
}

TEST(QtSelector, AClickCallsBackWithTheIndex)
{
    std::vector<int> calls;
    Selector s(objectSelector, [&](int i) { calls.push_back(i); });
    s.fill(names(5));
    s.show();
    clickRow(listOf(s), 3);
    EXPECT_EQ(calls, std::vector<int>{3});
    EXPECT_EQ(s.current(), 3);
    s.select(1); // the editor's own choice: no call back
    EXPECT_EQ(listOf(s)->currentRow(), 1);
    s.fill(names(4));
    EXPECT_EQ(listOf(s)->currentRow(), 0);
    EXPECT_EQ(calls, std::vector<int>{3});
}

TEST(QtSelector, ShowingAgainSelectsTheCurrentIndexInOneWindow)
{
    Selector s(objectSelector, nullptr);
    s.fill(names(5));
    s.show();
    QDialog* first = s.window();
    listOf(s)->setCurrentRow(4); // the user moves on
    s.select(2);
    listOf(s)->clearSelection();
    listOf(s)->setCurrentRow(-1);
    s.show();
    EXPECT_EQ(s.window(), first);
    EXPECT_EQ(listOf(s)->currentRow(), 2);
    EXPECT_EQ(visibleWindows("DSELOBJ"), 1);
}

TEST(QtSelector, ClosingDestroysTheWindowAndItCanComeBack)
{
    Selector s(partSelector, nullptr);
    s.fill(names(3));
    s.select(2);
    s.show();
    s.window()->close();
    flushDeletes();
    EXPECT_FALSE(s.isOpen());
    EXPECT_EQ(visibleWindows("DSELPRT"), 0);
    s.fill(names(6)); // names keep arriving while it is closed
    s.select(4);
    s.show();
    ASSERT_TRUE(s.isOpen());
    EXPECT_EQ(listOf(s)->count(), 6);
    EXPECT_EQ(listOf(s)->currentRow(), 4);
}

TEST(QtSelector, TheCallbackMayRefillTheList)
{
    Selector* self = nullptr;
    int calls = 0;
    Selector s(partSelector, [&](int i) {
        ++calls;
        if (i == 0) self->fill(names(7)); // choosing part 0 refills the part list
        else self->select(i);
    });
    self = &s;
    s.fill(names(3));
    s.select(2);
    s.show();
    clickRow(listOf(s), 0);
    flushDeletes(); // lets the deferred refill run
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(listOf(s)->count(), 7);
    EXPECT_EQ(listOf(s)->currentRow(), 0);
    clickRow(listOf(s), 5);
    flushDeletes();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(listOf(s)->currentRow(), 5);
    EXPECT_EQ(s.current(), 5);
}
