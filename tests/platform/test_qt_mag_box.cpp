#include "platform/qt_mag_box.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <limits>

#include "../support/qt_test_app.h"
#include "platform/control_ids.h"
#include "platform/qt_model_dialogs.h"
#include "platform/qt_text.h"

using namespace quillo;
using quillo::test::onModal;

TEST(QtMagBox, ShowsTheFactorsWithThreeDecimals)
{
    MagBox box(1.5f, 0.25f, 12.0f);
    EXPECT_EQ(box.objectName(), "DMAG");
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8("拡大／縮小率の設定"));
    EXPECT_EQ(findControl<QLineEdit>(&box, controls::magWidth)->text(), "   1.500");
    EXPECT_EQ(findControl<QLineEdit>(&box, controls::magHeight)->text(), "   0.250");
    EXPECT_EQ(findControl<QLineEdit>(&box, controls::magDepth)->text(), "  12.000");
    EXPECT_EQ(findControl<QPushButton>(&box, controls::ok)->text(), "OK");
    EXPECT_EQ(findControl<QPushButton>(&box, controls::cancel)->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
    QStringList labels;
    for (QLabel* l : box.findChildren<QLabel*>()) labels << l->text();
    EXPECT_TRUE(labels.contains(QString::fromUtf8("横")));
    EXPECT_TRUE(labels.contains(QString::fromUtf8("縦")));
    EXPECT_TRUE(labels.contains(QString::fromUtf8("奥行き")));
}

TEST(QtMagBox, EveryChangeIsReadBack)
{
    MagBox box(1.0f, 1.0f, 1.0f);
    box.show();
    auto* width = findControl<QLineEdit>(&box, controls::magWidth);
    width->selectAll();
    QTest::keyClicks(width, "2.25");
    EXPECT_FLOAT_EQ(box.factor(0), 2.25f);
    width->selectAll();
    QTest::keyClicks(width, "abc"); // "a", "ab", "abc": none holds a number
    EXPECT_FLOAT_EQ(box.factor(0), 2.25f);
    width->selectAll();
    QTest::keyClicks(width, "1e400"); // "1e40" is limited to the largest float, "1e400" is no number
    EXPECT_FLOAT_EQ(box.factor(0), std::numeric_limits<float>::max());
}

TEST(QtMagBox, OkReturnsTheFactorsAndCancelLeavesThem)
{
    bool active = true;
    QtModelDialogs dialogs(nullptr, &active);
    float x = 1.23456f, y = 2.0f, z = 3.0f;
    onModal<MagBox>([&](MagBox* box) {
        EXPECT_FALSE(active);
        auto* depth = findControl<QLineEdit>(box, controls::magDepth);
        depth->selectAll();
        QTest::keyClicks(depth, "0.5");
        findControl<QPushButton>(box, controls::ok)->click();
    });
    EXPECT_EQ(dialogs.magBox(x, y, z), 1);
    EXPECT_FLOAT_EQ(x, 1.23456f); // untouched: all its digits, not just the three shown
    EXPECT_FLOAT_EQ(y, 2.0f);
    EXPECT_FLOAT_EQ(z, 0.5f);
    EXPECT_TRUE(active);

    onModal<MagBox>([](MagBox* box) {
        findControl<QLineEdit>(box, controls::magWidth)->setText("9");
        QTest::keyClicks(findControl<QLineEdit>(box, controls::magWidth), "9");
        findControl<QPushButton>(box, controls::cancel)->click();
    });
    EXPECT_EQ(dialogs.magBox(x, y, z), -1);
    EXPECT_FLOAT_EQ(x, 1.23456f);
}
