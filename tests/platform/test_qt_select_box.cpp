#include "platform/qt_select_box.h"

#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "../support/qt_test_app.h"
#include "platform/control_ids.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_text.h"

using namespace quillo;
using quillo::test::onModal;

TEST(QtSelectBox, OneOrNoNameAsksNothing)
{
    QtDialogs dialogs;
    bool dialogCameUp = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialogCameUp = true;
            d->reject();
        }
    });
    watch.start(1);
    EXPECT_EQ(selectbox(dialogs, {}, "", 0), -1);
    EXPECT_EQ(selectbox(dialogs, {"only"}, "", 0), 0);
    EXPECT_FALSE(dialogCameUp);
}

TEST(QtSelectBox, FillsTheListAndSelectsTheStart)
{
    SelectBox box({"a", "b", "c"}, "", 1);
    EXPECT_EQ(box.objectName(), "DSEL");
    EXPECT_EQ(box.windowTitle(), "Select Box");
    auto* list = findControl<QListWidget>(&box, controls::list);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), "c");
    EXPECT_EQ(box.chosen(), 1);
    EXPECT_EQ(findControl<QPushButton>(&box, controls::ok)->text(), "Ok");
    EXPECT_EQ(findControl<QPushButton>(&box, controls::cancel)->text(), "Cancel");
}

TEST(QtSelectBox, DoubleClickReturnsThatIndex)
{
    bool active = true;
    QtDialogs dialogs(nullptr, &active);
    onModal<SelectBox>([&](SelectBox* box) {
        EXPECT_FALSE(active);
        auto* list = findControl<QListWidget>(box, controls::list);
        QRect r = list->visualItemRect(list->item(2));
        // What the window system sends: press, release, double click, release.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    });
    EXPECT_EQ(selectbox(dialogs, {"頭", "胴", "腕", "脚"}, "部分を選んでください", 0), 2);
    EXPECT_TRUE(active);
}

TEST(QtSelectBox, OkReturnsTheSelectionAndCancelMinusOne)
{
    QtDialogs dialogs;
    onModal<SelectBox>([](SelectBox* box) { findControl<QPushButton>(box, controls::ok)->click(); });
    EXPECT_EQ(selectbox(dialogs, {"a", "b", "c"}, "", 2), 2);
    onModal<SelectBox>([](SelectBox* box) { findControl<QPushButton>(box, controls::cancel)->click(); });
    EXPECT_EQ(selectbox(dialogs, {"a", "b", "c"}, "", 2), -1);
}

TEST(QtSelectBox, PaintsTheTextAtTheTopLeft)
{
    SelectBox plain({"a", "b"}, "", 0);
    SelectBox titled({"a", "b"}, "物体を選んでください", 0);
    plain.resize(240, 260);
    titled.resize(240, 260);
    QImage without = plain.grab().toImage(), with = titled.grab().toImage();
    // Some pixels of the first text line are dark where the plain box has background.
    int dark = 0;
    const QColor background = without.pixelColor(40, 6);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 120; ++x)
            if (with.pixelColor(x, y) != background && with.pixelColor(x, y).lightness() < 128) ++dark;
    EXPECT_GT(dark, 20);
    // The list sits below the text.
    auto* list = findControl<QListWidget>(&titled, controls::list);
    EXPECT_GE(list->geometry().top(), 12);
}
