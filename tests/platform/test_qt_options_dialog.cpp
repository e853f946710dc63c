#include "platform/qt_options_dialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <set>

#include "../support/qt_test_app.h"
#include "../support/temp_dir.h"
#include "platform/control_ids.h"
#include "platform/qt_model_dialogs.h"
#include "platform/qt_text.h"

using namespace quillo;
using quillo::test::onModal;

namespace {

std::vector<int> checkedResolutions(const OptionsDialog& box)
{
    std::vector<int> checked;
    for (int id = controls::resolution1600; id <= controls::resolution640; ++id)
        if (findControl<QRadioButton>(&box, id)->isChecked()) checked.push_back(id);
    return checked;
}

} // namespace

TEST(QtOptionsDialog, ControlsAndLabels)
{
    OptionsDialog box(EditorSettings{});
    EXPECT_EQ(box.objectName(), "DDSET");
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8("オプション"));
    EXPECT_EQ(findControl<QCheckBox>(&box, controls::fullScreen)->text(), QString::fromUtf8("フルスクリーン"));
    EXPECT_EQ(findControl<QCheckBox>(&box, controls::zBuffer)->text(), QString::fromUtf8("Ｚバッファ オン"));
    EXPECT_EQ(findControl<QPushButton>(&box, controls::browse)->text(), QString::fromUtf8("参照"));
    EXPECT_EQ(findControl<QPushButton>(&box, controls::ok)->text(), "OK");
    EXPECT_EQ(findControl<QPushButton>(&box, controls::cancel)->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
    const char* labels[5] = {"1600×1200", "1280×1024", "1024× 768", " 800× 600", " 640× 480"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(findControl<QRadioButton>(&box, 1103 + i)->text(), QString::fromUtf8(labels[i]));
    std::set<QString> groups;
    for (QGroupBox* g : box.findChildren<QGroupBox*>()) groups.insert(g->title());
    EXPECT_EQ(groups, (std::set<QString>{"デフォルトファイル", "モード", "最大解像度", "Ｚバッファ"}));
    bool version = false;
    for (QLabel* l : box.findChildren<QLabel*>()) version |= l->text() == QString::fromUtf8("Ｖｅｒ　０．２Ａ");
    EXPECT_TRUE(version);
}

TEST(QtOptionsDialog, OpensWithTheSettings)
{
    EditorSettings s;
    s.defaultfile = "/models/robot.md4";
    s.maxwidth = 800;
    s.fullscreen = true;
    s.zon = false;
    OptionsDialog box(s);
    EXPECT_EQ(findControl<QLineEdit>(&box, controls::defaultFile)->text(), "/models/robot.md4");
    EXPECT_TRUE(findControl<QCheckBox>(&box, controls::fullScreen)->isChecked());
    EXPECT_FALSE(findControl<QCheckBox>(&box, controls::zBuffer)->isChecked());
    EXPECT_EQ(checkedResolutions(box), std::vector<int>{controls::resolution800});
    s.maxwidth = 640;
    EXPECT_EQ(checkedResolutions(OptionsDialog(s)), std::vector<int>{controls::resolution640});
}

TEST(QtOptionsDialog, AWidthNoButtonShowsChecksNoneAndOkKeepsIt)
{
    EditorSettings s;
    s.maxwidth = 1152;
    s.maxhight = 864;
    s.perscorrect = true;
    s.shade = 1;
    bool active = true;
    QtModelDialogs dialogs(nullptr, &active);
    onModal<OptionsDialog>([&](OptionsDialog* box) {
        EXPECT_FALSE(active);
        EXPECT_TRUE(checkedResolutions(*box).empty());
        findControl<QPushButton>(box, controls::ok)->click();
    });
    EXPECT_EQ(dialogs.optionsBox(s), 1);
    EXPECT_TRUE(active);
    EXPECT_EQ(s.maxwidth, 1152);
    EXPECT_EQ(s.maxhight, 864);
    EXPECT_TRUE(s.perscorrect); // no control of their own: they pass through
    EXPECT_EQ(s.shade, 1);
}

TEST(QtOptionsDialog, OkTakesTheControls)
{
    quillo::test::TempDir dir;
    quillo::test::writeText(dir / "robot.md4", "x");
    EditorSettings s;
    QtModelDialogs dialogs;
    onModal<OptionsDialog>([&](OptionsDialog* box) {
        findControl<QLineEdit>(box, controls::defaultFile)->setText(QString::fromStdString(dir / "robot.md4"));
        findControl<QCheckBox>(box, controls::fullScreen)->setChecked(true);
        findControl<QCheckBox>(box, controls::zBuffer)->setChecked(true);
        findControl<QRadioButton>(box, controls::resolution1280)->click();
        findControl<QPushButton>(box, controls::ok)->click();
    });
    EXPECT_EQ(dialogs.optionsBox(s), 1);
    EXPECT_EQ(s.defaultfile, dir / "robot.md4");
    EXPECT_TRUE(s.fullscreen);
    EXPECT_TRUE(s.zon);
    EXPECT_EQ(s.maxwidth, 1280);
    EXPECT_EQ(s.maxhight, 1024);
}

TEST(QtOptionsDialog, AFileThatCannotBeReadIsDropped)
{
    EditorSettings s;
    s.defaultfile = "/no/such/file.md4";
    QtModelDialogs dialogs;
    onModal<OptionsDialog>([](OptionsDialog* box) { findControl<QPushButton>(box, controls::ok)->click(); });
    EXPECT_EQ(dialogs.optionsBox(s), 1);
    EXPECT_EQ(s.defaultfile, "");
}

TEST(QtOptionsDialog, CancelChangesNothing)
{
    EditorSettings s;
    s.defaultfile = "/no/such/file.md4";
    s.maxwidth = 1024;
    s.maxhight = 768;
    QtModelDialogs dialogs;
    onModal<OptionsDialog>([](OptionsDialog* box) {
        findControl<QRadioButton>(box, controls::resolution1600)->click();
        findControl<QCheckBox>(box, controls::zBuffer)->setChecked(true);
        findControl<QPushButton>(box, controls::cancel)->click();
    });
    EXPECT_EQ(dialogs.optionsBox(s), -1);
    EXPECT_EQ(s.defaultfile, "/no/such/file.md4");
    EXPECT_EQ(s.maxwidth, 1024);
    EXPECT_FALSE(s.zon);
}

TEST(QtOptionsDialog, BrowseOpensTheModelFilter)
{
    quillo::test::TempDir dir;
    quillo::test::writeText(dir / "a.md4", "x");
    OptionsDialog box(EditorSettings{});
    box.show();
    onModal<QFileDialog>([&](QFileDialog* files) {
        EXPECT_EQ(files->selectedNameFilter(), QString::fromUtf8("モデル (*.MD4)"));
        EXPECT_EQ(files->fileMode(), QFileDialog::ExistingFile);
        files->setDirectory(QString::fromStdString(dir.str()));
        files->selectFile("a.md4");
        static_cast<QDialog*>(files)->accept();
    });
    findControl<QPushButton>(&box, controls::browse)->click();
    EXPECT_EQ(findControl<QLineEdit>(&box, controls::defaultFile)->text(), QString::fromStdString(dir / "a.md4"));
}
