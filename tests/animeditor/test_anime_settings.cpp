#include "animeditor/anime_settings.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quillo;

namespace {

// Records the order in which values are written.
struct OrderedStore : MemorySettingsStore {
    std::vector<std::string> order;
    void write(const std::string& name, const std::string& value) override
    {
        order.push_back(name);
        MemorySettingsStore::write(name, value);
    }
};

} // namespace

TEST(AnimatorSettings, FirstRunAndEachParseRule)
{
    MemorySettingsStore store;
    store.values["MaxWidth"] = "1024";
    AnimatorSettings s;
    s.driver = 7;
    EXPECT_FALSE(loadAnimatorSettings(store, s)); // no "File Name": defaults only
    EXPECT_EQ(s.maxwidth, 640);
    EXPECT_EQ(s.driver, -1);
    EXPECT_TRUE(s.zbuffer);

    store.values = {{"File Name", std::string(300, 'a')}, {"MaxWidth", " 800 wide"}, {"MaxHight", "tall"},
                    {"Mode", "full"},    {"Dither", "Yes"},  {"Driver", "3"},    {"PersCorrect", "y"},
                    {"Shade", "FLAT"},   {"Zoff", "Yes"}};
    ASSERT_TRUE(loadAnimatorSettings(store, s));
    EXPECT_EQ(s.defaultfile.size(), 259u); // the dialog's limit, not 255
    EXPECT_EQ(s.maxwidth, 800);
    EXPECT_EQ(s.maxhight, 480); // no number: unchanged
    EXPECT_FALSE(s.fullscreen); // only a capital F means full screen
    EXPECT_TRUE(s.dither);
    EXPECT_EQ(s.driver, 3);
    EXPECT_FALSE(s.perscorrect);
    EXPECT_EQ(s.shade, 1);
    EXPECT_FALSE(s.zbuffer);

    // A cut never splits a UTF-8 character.
    store.values["File Name"] = std::string(258, 'a') + "幕";
    ASSERT_TRUE(loadAnimatorSettings(store, s));
    EXPECT_EQ(s.defaultfile, std::string(258, 'a'));
}

TEST(AnimatorSettings, WritesAllNineInOrderAndReadsThemBack)
{
    OrderedStore store;
    AnimatorSettings s;
    s.defaultfile = "/tmp/a.md7";
    s.fullscreen = true;
    s.driver = 0;
    s.shade = 1;
    s.zbuffer = false;
    saveAnimatorSettings(store, s);
    EXPECT_EQ(store.order, (std::vector<std::string>{"File Name", "MaxWidth", "MaxHight", "Mode", "Dither", "Driver",
                                                     "PersCorrect", "Shade", "Zoff"}));
    EXPECT_EQ(store.values["Mode"], "Fullscreen");
    EXPECT_EQ(store.values["Zoff"], "Yes");
    EXPECT_EQ(store.values["Shade"], "FLAT");
    AnimatorSettings back;
    ASSERT_TRUE(loadAnimatorSettings(store, back));
    EXPECT_EQ(back.defaultfile, s.defaultfile);
    EXPECT_EQ(back.driver, 0);
    EXPECT_FALSE(back.zbuffer);
}

TEST(AnimatorSettings, TheOptionsDialogsValues)
{
    AnimatorSettings s;
    s.driver = 3;
    s.maxwidth = 1152;
    s.maxhight = 864;
    s.perscorrect = true;
    OptionsValues v = optionsValuesOf(s);
    EXPECT_EQ(v.checks, (std::vector<bool>{false, true})); // driver 3 ticks "ドライバ固定"
    EXPECT_EQ(resolutionIndex(v.maxwidth), -1);          // 1152 sets no radio button
    takeOptionsValues(v, s);
    EXPECT_EQ(s.driver, 0); // OK with the box still ticked stores 0, not 3
    EXPECT_EQ(s.maxwidth, 1152);
    EXPECT_EQ(s.maxhight, 864);
    EXPECT_TRUE(s.perscorrect); // no control: kept as it was
    v.checks = {true, false};
    takeOptionsValues(v, s);
    EXPECT_TRUE(s.dither);
    EXPECT_EQ(s.driver, -1);
    EXPECT_EQ(animatorOptionsLayout().fileType, fileAnimation);
}
