#include <QAbstractButton>
#include <QMessageBox>
#include <gtest/gtest.h>

#include "../support/qt_test_app.h"
#include "platform/qt_dialogs.h"

using namespace quillo;
using quillo::test::onModal;

TEST(QtMessageBox, ShowsTheTextWithOkAndClearsActive)
{
    bool active = true;
    QtDialogs dialogs(nullptr, &active);
    bool seen = false;
    onModal<QMessageBox>([&](QMessageBox* box) {
        seen = true;
        EXPECT_FALSE(active);
        EXPECT_EQ(box->windowTitle(), "Message Box");
        EXPECT_EQ(box->text(), QString::fromUtf8("色数が多すぎます\nGMTBL"));
        EXPECT_EQ(box->buttons().size(), 1);
        EXPECT_NE(box->button(QMessageBox::Ok), nullptr);
        box->button(QMessageBox::Ok)->click();
    });
    dialogs.error("色数が多すぎます\nGMTBL");
    EXPECT_TRUE(seen);
    EXPECT_TRUE(active);
}

TEST(QtMessageBox, AskIsTrueOnlyForYes)
{
    bool active = true;
    QtDialogs dialogs(nullptr, &active);
    onModal<QMessageBox>([&](QMessageBox* box) {
        EXPECT_FALSE(active);
        EXPECT_EQ(box->buttons().size(), 2);
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_TRUE(dialogs.ask("部分セーブしますか？"));
    EXPECT_TRUE(active);

    onModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    EXPECT_FALSE(dialogs.ask("部分セーブしますか？"));

    onModal<QMessageBox>([](QMessageBox* box) { box->reject(); }); // closed without an answer
    EXPECT_FALSE(dialogs.ask("部分セーブしますか？"));
}

TEST(QtMessageBox, ActiveStaysClearWhenItWasClear)
{
    bool active = false;
    QtDialogs dialogs(nullptr, &active);
    onModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
    dialogs.error("x");
    EXPECT_FALSE(active);
}

TEST(QtMessageBox, TheScreenSaverTitleCanBeSet)
{
    QtDialogs dialogs;
    dialogs.setMessageTitle("D3D Example Message");
    onModal<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), "D3D Example Message");
        box->button(QMessageBox::Ok)->click();
    });
    dialogs.error("x");
}
