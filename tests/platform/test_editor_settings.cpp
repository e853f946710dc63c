#include "platform/editor_settings.h"

#include <gtest/gtest.h>

#include "../support/temp_dir.h"

using namespace quillo;

TEST(EditorSettings, FirstRunLeavesDefaults)
{
    MemorySettingsStore store;
    store.values["MaxWidth"] = "1024";
    EditorSettings s;
    s.maxwidth = 1;
    EXPECT_FALSE(loadsettings(store, s)); // no "File Name": a first run
    EXPECT_EQ(s.maxwidth, 640);
    EXPECT_EQ(s.maxhight, 480);
    EXPECT_FALSE(s.fullscreen);
    EXPECT_EQ(s.shade, 2);
}

TEST(EditorSettings, ParsingRules)
{
    MemorySettingsStore store;
    store.values = {{"File Name", "robot.md4"}, {"MaxWidth", "abc"}, {"MaxHight", "  768 lines"},
                    {"Mode", "fullscreen"},     {"Zon", "Yes"},      {"PersCorrect", "yes"},
                    {"Shade", "FLAT"}};
    EditorSettings s;
    ASSERT_TRUE(loadsettings(store, s));
    EXPECT_EQ(s.defaultfile, "robot.md4");
    EXPECT_EQ(s.maxwidth, 640);  // no number: unchanged
    EXPECT_EQ(s.maxhight, 768);  // the first decimal number
    EXPECT_FALSE(s.fullscreen);  // lower-case f is window mode
    EXPECT_TRUE(s.zon);
    EXPECT_FALSE(s.perscorrect); // only an upper-case Y
    EXPECT_EQ(s.shade, 1);
    EXPECT_EQ(parseFirstNumber("-12x", 5), -12);
    EXPECT_EQ(parseFirstNumber("x12", 5), 5);
    EXPECT_EQ(parseFirstNumber("99999999999", 5), 2147483647);
}

TEST(EditorSettings, SaveWritesAllSevenValuesThatReadBackTheSame)
{
    MemorySettingsStore store;
    EditorSettings s;
    s.defaultfile = "/tmp/x.md4";
    s.maxwidth = 1152; // shown by no radio button
    s.maxhight = 864;
    s.fullscreen = true;
    s.perscorrect = true;
    s.shade = 1;
    savesettings(store, s);
    EXPECT_EQ(store.values.size(), 7u);
    EXPECT_EQ(store.values["Mode"], "Fullscreen");
    EXPECT_EQ(store.values["Shade"], "FLAT");
    EXPECT_EQ(store.values["Zon"], "No");
    EditorSettings back;
    ASSERT_TRUE(loadsettings(store, back));
    EXPECT_EQ(back.maxwidth, 1152);
    EXPECT_EQ(back.maxhight, 864);
    EXPECT_TRUE(back.fullscreen);
    EXPECT_TRUE(back.perscorrect);
    EXPECT_EQ(back.shade, 1);
    EXPECT_EQ(resolutionControl(1152), 0);
    EXPECT_EQ(resolutionControl(640), 1107);
    EXPECT_EQ(resolutionControl(1600), 1103);
}

TEST(EditorSettings, OptionsDropADefaultFileThatCannotBeRead)
{
    quillo::test::TempDir dir;
    quillo::test::writeText(dir / "a.md4", "");
    EditorSettings s;
    s.defaultfile = dir / "a.md4";
    acceptOptions(s);
    EXPECT_EQ(s.defaultfile, dir / "a.md4");
    s.defaultfile = dir / "gone.md4";
    acceptOptions(s);
    EXPECT_EQ(s.defaultfile, "");
    s.defaultfile = dir.str(); // a folder opens for reading on Linux, but it is no model
    acceptOptions(s);
    EXPECT_EQ(s.defaultfile, "");
}
