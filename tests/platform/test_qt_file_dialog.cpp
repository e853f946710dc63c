#include "platform/qt_file_dialog.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <gtest/gtest.h>

#include "../support/qt_test_app.h"
#include "../support/temp_dir.h"
#include "platform/qt_dialogs.h"

using namespace quillo;
using quillo::test::onModal;

TEST(QtFileDialog, TheSevenFiltersInOrder)
{
    EXPECT_EQ(qtNameFilters(), QString::fromUtf8("モデル (*.MD4) (*.md4);;Fモデル (*.MD5) (*.md5);;BMP files(*.BMP) (*.bmp);;"
                                                 "動作 (*.MD6) (*.md6);;アニメ (*.MD7) (*.md7);;サウンド (*.WAV) (*.wav);;"
                                                 "ＭＩＤＩ (*.MID) (*.mid)")
                                   .split(";;"));
}

TEST(QtFileDialog, OpenSelectsTheCallersTypeAndReturnsAnExistingFile)
{
    quillo::test::TempDir dir;
    quillo::test::writeText(dir / "walk.md6", "x");
    bool active = true;
    QtDialogs dialogs(nullptr, &active);
    onModal<QFileDialog>([&](QFileDialog* d) {
        EXPECT_FALSE(active);
        EXPECT_EQ(d->nameFilters(), qtNameFilters());
        // The list shows the labels alone and filters by the patterns.
        EXPECT_EQ(d->selectedNameFilter(), QString::fromUtf8("動作 (*.MD6)"));
        EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
        EXPECT_TRUE(d->testOption(QFileDialog::HideNameFilterDetails));
        d->setDirectory(QString::fromStdString(dir.str()));
        d->selectFile("walk.md6");
        static_cast<QDialog*>(d)->accept();
    });
    std::string path;
    EXPECT_TRUE(dialogs.chooseFile(fileMotion, path));
    EXPECT_EQ(path, dir / "walk.md6");
    EXPECT_TRUE(active);
}

TEST(QtFileDialog, CancelReturnsFalseAndKeepsThePath)
{
    QtDialogs dialogs;
    onModal<QFileDialog>([](QFileDialog* d) {
        EXPECT_EQ(d->selectedNameFilter(), QString::fromUtf8("BMP files(*.BMP)"));
        auto* files = d->findChild<QFileSystemModel*>();
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->nameFilters(), QStringList{"*.bmp"});
        d->reject();
    });
    std::string path = "/old/path.bmp";
    EXPECT_FALSE(dialogs.chooseFile(fileBmp, path));
    EXPECT_EQ(path, "/old/path.bmp");
}

TEST(QtFileDialog, SaveAsksBeforeReplacingAFile)
{
    quillo::test::TempDir dir;
    quillo::test::writeText(dir / "robot.md4", "x");
    QtDialogs dialogs;
    int asked = 0;
    onModal<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(d->selectedNameFilter(), QString::fromUtf8("モデル (*.MD4)"));
        d->setDirectory(QString::fromStdString(dir.str()));
        d->selectFile("robot.md4");
        onModal<QMessageBox>([&](QMessageBox* box) {
            ++asked;
            box->button(QMessageBox::No)->click();
        });
        static_cast<QDialog*>(d)->accept(); // refused: the dialog stays
        EXPECT_TRUE(d->isVisible());
        onModal<QMessageBox>([&](QMessageBox* box) {
            ++asked;
            box->button(QMessageBox::Yes)->click();
        });
        static_cast<QDialog*>(d)->accept();
    });
    std::string path;
    EXPECT_TRUE(dialogs.chooseSaveFile(fileModel, path));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(path, dir / "robot.md4");
}

TEST(QtFileDialog, SaveNeedsAnExistingFolder)
{
    quillo::test::TempDir dir;
    QtDialogs dialogs;
    onModal<QFileDialog>([&](QFileDialog* d) {
        d->selectFile(QString::fromStdString(dir / "missing/new.md4"));
        static_cast<QDialog*>(d)->accept();
        EXPECT_TRUE(d->isVisible());
        d->setDirectory(QString::fromStdString(dir.str()));
        d->selectFile("new.md4");
        static_cast<QDialog*>(d)->accept();
    });
    std::string path;
    EXPECT_TRUE(dialogs.chooseSaveFile(fileModel, path));
    EXPECT_EQ(path, dir / "new.md4");
}
