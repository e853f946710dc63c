#include "platform/qt_input_box.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "../support/qt_test_app.h"
#include "platform/control_ids.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_text.h"

using namespace quillo;
using quillo::test::onModal;

TEST(QtInputBox, ShowsThePromptAndAnEmptyAnswer)
{
    InputBox box("倍率 :1");
    EXPECT_EQ(box.objectName(), "DEDIT");
    EXPECT_EQ(box.windowTitle(), "Input Box");
    auto* prompt = findControl<QLineEdit>(&box, controls::prompt);
    auto* answer = findControl<QLineEdit>(&box, controls::answer);
    ASSERT_TRUE(prompt && answer);
    EXPECT_EQ(prompt->text(), QString::fromUtf8("倍率 :1"));
    EXPECT_TRUE(prompt->isReadOnly());
    EXPECT_TRUE(answer->text().isEmpty());
    EXPECT_EQ(findControl<QPushButton>(&box, controls::ok)->text(), "Ok");
    EXPECT_EQ(findControl<QPushButton>(&box, controls::cancel)->text(), "Cancel");
}

TEST(QtInputBox, ReturnsTheLengthOfTheAnswer)
{
    bool active = true;
    QtDialogs dialogs(nullptr, &active);
    onModal<InputBox>([&](InputBox* box) {
        EXPECT_FALSE(active);
        QTest::keyClicks(findControl<QLineEdit>(box, controls::answer), "2.5");
        findControl<QPushButton>(box, controls::ok)->click();
    });
    std::string answer;
    EXPECT_EQ(dialogs.inputBox("倍率 :1", answer), 3);
    EXPECT_EQ(answer, "2.5");
    EXPECT_TRUE(active);
}

TEST(QtInputBox, EmptyIsZeroAndCancelIsMinusOne)
{
    QtDialogs dialogs;
    std::string answer = "old";
    onModal<InputBox>([](InputBox* box) { findControl<QPushButton>(box, controls::ok)->click(); });
    EXPECT_EQ(dialogs.inputBox("p", answer), 0);
    EXPECT_EQ(answer, "");

    answer = "kept";
    onModal<InputBox>([](InputBox* box) {
        QTest::keyClicks(findControl<QLineEdit>(box, controls::answer), "typed");
        findControl<QPushButton>(box, controls::cancel)->click();
    });
    EXPECT_EQ(dialogs.inputBox("p", answer), -1);
    EXPECT_EQ(answer, "kept");
}

TEST(QtInputBox, LongAnswersAreCutTo255Bytes)
{
    QtDialogs dialogs;
    onModal<InputBox>([](InputBox* box) {
        findControl<QLineEdit>(box, controls::answer)->setText(QString(300, QChar(0x3042))); // あ x 300
        findControl<QPushButton>(box, controls::ok)->click();
    });
    std::string answer;
    EXPECT_EQ(dialogs.inputBox("p", answer), 255); // 85 whole characters of 3 bytes
    EXPECT_EQ(answer.size(), 255u);
}
