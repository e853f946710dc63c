// "D3DSET" on Qt's offscreen platform: the shared options dialog with the
// animation editor's layout.
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <set>

#include "animeditor/anime_settings.h"
#include "platform/qt_options_dialog.h"
#include "platform/qt_text.h"

using namespace quillo;

TEST(QtAnimeOptions, ControlsOpeningStateAndOk)
{
    AnimatorSettings s;
    s.defaultfile = "/nowhere/a.md7";
    s.maxwidth = 1152; // no button shows it
    s.maxhight = 864;
    s.driver = 3;
    s.dither = true;
    OptionsDialog box(animatorOptionsLayout(), optionsValuesOf(s));
    EXPECT_EQ(box.objectName(), "D3DSET");
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8("オプション"));
    EXPECT_EQ(findControl<QLineEdit>(&box, 804)->text(), "/nowhere/a.md7");
    EXPECT_EQ(findControl<QLineEdit>(&box, 804)->maxLength(), 259);
    EXPECT_EQ(findControl<QPushButton>(&box, 805)->text(), QString::fromUtf8("参照"));
    EXPECT_FALSE(findControl<QCheckBox>(&box, 807)->isChecked());
    EXPECT_EQ(findControl<QCheckBox>(&box, 808)->text(), QString::fromUtf8("ディザ オン"));
    EXPECT_TRUE(findControl<QCheckBox>(&box, 808)->isChecked());
    EXPECT_EQ(findControl<QCheckBox>(&box, 814)->text(), QString::fromUtf8("ドライバ固定"));
    EXPECT_TRUE(findControl<QCheckBox>(&box, 814)->isChecked());
    for (int id = 809; id <= 813; ++id) EXPECT_FALSE(findControl<QRadioButton>(&box, id)->isChecked()) << id;
    EXPECT_EQ(findControl<QRadioButton>(&box, 813)->text(), QString::fromUtf8(" 640× 480"));
    std::set<QString> groups;
    for (QGroupBox* g : box.findChildren<QGroupBox*>()) groups.insert(g->title());
    EXPECT_EQ(groups, (std::set<QString>{"デフォルトファイル", "モード", "最大解像度", "ディザ", "ドライバ"}));

    findControl<QPushButton>(&box, 800)->click();
    EXPECT_EQ(box.result(), QDialog::Accepted);
    takeOptionsValues(box.values(), s);
    EXPECT_EQ(s.defaultfile, ""); // a file that cannot be read is dropped
    EXPECT_EQ(s.maxwidth, 1152);  // no button set: the size stays
    EXPECT_EQ(s.maxhight, 864);
    EXPECT_EQ(s.driver, 0);
    EXPECT_TRUE(s.dither);

    OptionsDialog second(animatorOptionsLayout(), optionsValuesOf(s));
    findControl<QRadioButton>(&second, 810)->click();
    findControl<QCheckBox>(&second, 814)->click();
    findControl<QPushButton>(&second, 801)->click(); // cancel takes nothing
    EXPECT_EQ(second.result(), QDialog::Rejected);
    EXPECT_EQ(second.values().maxwidth, 1152);
    findControl<QPushButton>(&second, 800)->click();
    takeOptionsValues(second.values(), s);
    EXPECT_EQ(s.maxwidth, 1280);
    EXPECT_EQ(s.maxhight, 1024);
    EXPECT_EQ(s.driver, -1);
}
