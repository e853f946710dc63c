#include "platform/qt_texture_box.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "../support/qt_test_app.h"
#include "../support/temp_dir.h"
#include "platform/control_ids.h"
#include "platform/qt_model_dialogs.h"
#include "platform/qt_text.h"

using namespace quillo;
using quillo::test::onModal;

TEST(QtTextureBox, StartsEmptyOnTheXYPlane)
{
    TextureBox box;
    EXPECT_EQ(box.objectName(), "DTEXT");
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8("テクスチャＢｏｘ"));
    EXPECT_TRUE(findControl<QLineEdit>(&box, controls::textureName)->text().isEmpty());
    EXPECT_TRUE(findControl<QLineEdit>(&box, controls::bmpFile)->text().isEmpty());
    EXPECT_TRUE(findControl<QRadioButton>(&box, controls::planeXY)->isChecked());
    EXPECT_EQ(findControl<QRadioButton>(&box, controls::planeXY)->text(), QString::fromUtf8("X-Y平面"));
    EXPECT_EQ(findControl<QRadioButton>(&box, controls::planeZY)->text(), QString::fromUtf8("Z-Y平面"));
    EXPECT_EQ(findControl<QRadioButton>(&box, controls::planeXZ)->text(), QString::fromUtf8("X-Z平面"));
    EXPECT_EQ(findControl<QPushButton>(&box, controls::browse)->text(), QString::fromUtf8("参照"));
}

TEST(QtTextureBox, OkDoesNothingWhileAFieldIsEmpty)
{
    TextureBox box;
    box.show();
    auto* ok = findControl<QPushButton>(&box, controls::ok);
    ok->click();
    EXPECT_TRUE(box.isVisible());
    QTest::keyClicks(findControl<QLineEdit>(&box, controls::textureName), "face");
    ok->click();
    EXPECT_TRUE(box.isVisible());
    findControl<QLineEdit>(&box, controls::textureName)->clear();
    QTest::keyClicks(findControl<QLineEdit>(&box, controls::bmpFile), "face.bmp");
    ok->click();
    EXPECT_TRUE(box.isVisible());
    EXPECT_NE(box.result(), QDialog::Accepted);
    QTest::keyClicks(findControl<QLineEdit>(&box, controls::textureName), "face");
    ok->click();
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_EQ(box.choice().name, "face");
    EXPECT_EQ(box.choice().file, "face.bmp");
    EXPECT_EQ(box.choice().plane, 0);
}

TEST(QtTextureBox, PlanesAreZeroTwoAndFour)
{
    QtModelDialogs dialogs;
    for (auto [id, plane] : {std::pair{controls::planeZY, 2}, {controls::planeXZ, 4}, {controls::planeXY, 0}}) {
        onModal<TextureBox>([id = id](TextureBox* box) {
            findControl<QLineEdit>(box, controls::textureName)->setText(QString::fromUtf8("顔"));
            findControl<QLineEdit>(box, controls::bmpFile)->setText("a.bmp");
            findControl<QRadioButton>(box, id)->click();
            findControl<QPushButton>(box, controls::ok)->click();
        });
        TextureChoice choice;
        EXPECT_EQ(dialogs.textureBox(choice), 1);
        EXPECT_EQ(choice.plane, plane);
        EXPECT_EQ(choice.name, "顔");
    }
}

TEST(QtTextureBox, CancelLeavesTheChoice)
{
    bool active = true;
    QtModelDialogs dialogs(nullptr, &active);
    onModal<TextureBox>([&](TextureBox* box) {
        EXPECT_FALSE(active);
        findControl<QLineEdit>(box, controls::textureName)->setText("x");
        findControl<QPushButton>(box, controls::cancel)->click();
    });
    TextureChoice choice{"old", "old.bmp", 2};
    EXPECT_EQ(dialogs.textureBox(choice), -1);
    EXPECT_EQ(choice.name, "old");
    EXPECT_EQ(choice.plane, 2);
    EXPECT_TRUE(active);
}

TEST(QtTextureBox, BrowseFillsTheFileFromABmpOpenDialog)
{
    quillo::test::TempDir dir;
    quillo::test::writeText(dir / "skin.bmp", "BM");
    TextureBox box;
    box.show();
    onModal<QFileDialog>([&](QFileDialog* files) {
        EXPECT_EQ(files->nameFilters(), QStringList{"BMP files (*.BMP) (*.bmp)"});
        EXPECT_EQ(files->fileMode(), QFileDialog::ExistingFile);
        files->setDirectory(QString::fromStdString(dir.str()));
        files->selectFile("skin.bmp");
        static_cast<QDialog*>(files)->accept();
    });
    findControl<QPushButton>(&box, controls::browse)->click();
    EXPECT_EQ(findControl<QLineEdit>(&box, controls::bmpFile)->text(), QString::fromStdString(dir / "skin.bmp"));
}
