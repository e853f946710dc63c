#include "platform/editor_settings.h"
#include "platform/qt_settings_store.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

#include "../support/temp_dir.h"

using namespace quillo;

namespace {

// Points the user-scope settings into a fresh directory for one test.
class SettingsHome {
public:
    SettingsHome() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(dir.str())); }
    quillo::test::TempDir dir;
};

} // namespace

TEST(QtSettingsStore, FirstRunThenRoundTrip)
{
    SettingsHome home;
    {
        QtSettingsStore store("Model");
        EditorSettings s;
        EXPECT_FALSE(loadsettings(store, s));
        s.defaultfile = "/home/user/ロボット.md4";
        s.maxwidth = 1024;
        s.maxhight = 768;
        s.fullscreen = true;
        s.zon = true;
        s.shade = 1;
        savesettings(store, s);
    }
    QtSettingsStore again("Model");
    EditorSettings s;
    ASSERT_TRUE(loadsettings(again, s));
    EXPECT_EQ(s.defaultfile, "/home/user/ロボット.md4");
    EXPECT_EQ(s.maxwidth, 1024);
    EXPECT_EQ(s.maxhight, 768);
    EXPECT_TRUE(s.fullscreen);
    EXPECT_TRUE(s.zon);
    EXPECT_FALSE(s.perscorrect);
    EXPECT_EQ(s.shade, 1);
}

TEST(QtSettingsStore, ValuesAreStringsUnderTheirNamesInQuilloProj)
{
    SettingsHome home;
    QtSettingsStore store("Model");
    savesettings(store, EditorSettings{});
    EXPECT_TRUE(store.fileName().startsWith(QString::fromStdString(home.dir / "Quillo Proj")));
    EXPECT_TRUE(QFile::exists(store.fileName()));
    QSettings raw(store.fileName(), QSettings::IniFormat);
    for (const auto& [name, value] : {std::pair{"File Name", ""}, {"MaxWidth", "640"}, {"MaxHight", "480"},
                                      {"Mode", "Window"}, {"PersCorrect", "No"}, {"Shade", "Gouraud"}, {"Zon", "No"}})
        EXPECT_EQ(raw.value(name).toString(), value) << name;
    EXPECT_EQ(store.read("Rezolution"), std::nullopt);
}

TEST(QtSettingsStore, EachProgramHasItsOwnName)
{
    SettingsHome home;
    QtSettingsStore model("Model"), anime("Durarozi");
    model.write("File Name", "a.md4");
    EXPECT_EQ(model.read("File Name"), std::optional<std::string>("a.md4"));
    EXPECT_EQ(anime.read("File Name"), std::nullopt);
    EXPECT_NE(model.fileName(), anime.fileName());
}

TEST(QtSettingsStore, ParsingRulesApplyToStoredText)
{
    SettingsHome home;
    QtSettingsStore store("Model");
    store.write("File Name", "");
    store.write("MaxWidth", "abc");
    store.write("Mode", "fullscreen");
    EditorSettings s;
    ASSERT_TRUE(loadsettings(store, s)); // an empty file name is no first run
    EXPECT_EQ(s.maxwidth, 640);
    EXPECT_FALSE(s.fullscreen);
}
