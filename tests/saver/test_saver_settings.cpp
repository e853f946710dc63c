#include "saver/saver_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "../support/temp_dir.h"
#include "saver/saver_command_line.h"
#include "saver/saver_input.h"
#include "saver/saver_lock.h"
#include "saver/step_timer.h"

using namespace quillo;

TEST(SaverSettings, EachValuesReadRule)
{
    MemorySettingsStore store;
    SaverSettings s;
    store.values["Speed"] = "40";
    EXPECT_FALSE(loadSaverSettings(store, s)); // no "File Name": nothing else is read
    EXPECT_EQ(s.interval, 12);

    const struct {
        const char* name;
        const char* value;
        int width, interval;
        bool eightbit, zbuffer;
    } cases[] = {
        {"Speed", "100", 1024, 12, false, true},   // limited to 80
        {"Speed", "0", 1024, 1000, false, true},   // limited to 1
        {"Speed", "-7", 1024, 1000, false, true},
        {"Speed", "fast", 1024, 12, false, true},  // no number: 12 ms stays
        {"Speed", "62", 1024, 16, false, true},
        {"Rezolution", "VGA", 640, 12, false, true},
        {"Rezolution", "vga", 1024, 12, false, true}, // only a capital V
        {"Color", "2 hundred", 1024, 12, true, true},
        {"Color", "64K", 1024, 12, false, true},
        {"Zoff", "Yes", 1024, 12, false, false},
    };
    for (const auto& c : cases) {
        store.values = {{"File Name", "a.md7"}, {c.name, c.value}};
        s = SaverSettings{};
        ASSERT_TRUE(loadSaverSettings(store, s));
        EXPECT_EQ(s.modewidth, c.width) << c.name << "=" << c.value;
        EXPECT_EQ(s.modeheight, c.width == 640 ? 480 : 768);
        EXPECT_EQ(s.interval, c.interval) << c.name << "=" << c.value;
        EXPECT_EQ(s.eightbit, c.eightbit) << c.name << "=" << c.value;
        EXPECT_EQ(s.zbuffer, c.zbuffer) << c.name << "=" << c.value;
    }
}

TEST(SaverSettings, WriteOrderAndDialogLogic)
{
    struct OrderedStore : MemorySettingsStore {
        std::vector<std::string> order;
        void write(const std::string& n, const std::string& v) override
        {
            order.push_back(n);
            MemorySettingsStore::write(n, v);
        }
    } store;
    SaverSettings s;
    SpeedBar bar;
    bar.setThumb(speedOf(s.interval));
    EXPECT_EQ(bar.position, 80); // 12 ms opens at 80
    bar.step(5);
    EXPECT_EQ(bar.position, 80); // the thumb stops at 80 of 0..99 with a page of 20
    bar.setThumb(-4);
    EXPECT_EQ(bar.position, 0);
    bar.setThumb(60);

    quillo::test::TempDir dir;
    quillo::test::writeText(dir / "a.md7", "x");
    EXPECT_FALSE(acceptSaverDialog(dir / "none.md7", true, true, bar.position, s));
    EXPECT_FALSE(acceptSaverDialog(dir.str(), true, true, bar.position, s)); // a folder is no file
    EXPECT_EQ(s.animfile, "");                                              // the dialog stays, nothing taken
    ASSERT_TRUE(acceptSaverDialog(dir / "a.md7", true, true, bar.position, s));
    EXPECT_EQ(s.interval, 16);
    EXPECT_EQ(s.modewidth, 640);
    EXPECT_TRUE(s.eightbit);
    EXPECT_TRUE(acceptSaverDialog(dir / "a.md7", false, false, 0, s)); // position 0 counts as 1
    EXPECT_EQ(s.interval, 1000);
    EXPECT_EQ(s.modeheight, 768);

    s.interval = 16;
    saveSaverSettings(store, s);
    EXPECT_EQ(store.order, (std::vector<std::string>{"Rezolution", "Speed", "File Name", "Color", "Zoff"}));
    for (const auto& [name, value] :
         {std::pair{"Speed", "62"}, {"Rezolution", "SVGA"}, {"Color", "64K"}, {"Zoff", "No"}})
        EXPECT_EQ(store.values[name], value) << name;
}

TEST(SaverInput, WhatEndsTheSaver)
{
    SaverInput input;
    EXPECT_FALSE(input.mouseMoved(500, 400)); // the first movement only records the origin
    EXPECT_FALSE(input.mouseMoved(501, 400)); // 1 px
    EXPECT_FALSE(input.mouseMoved(500, 399));
    EXPECT_TRUE(input.mouseMoved(501, 401)); // 1 + 1 = 2 px from the origin
    SaverInput fresh;
    EXPECT_FALSE(fresh.mouseMoved(-1, 5)); // even a first movement far away
    EXPECT_TRUE(fresh.mouseMoved(-1, 7));
    using E = SaverInput::Event;
    EXPECT_TRUE(input.happened(E::keyDown));
    EXPECT_TRUE(input.happened(E::buttonDown));
    EXPECT_TRUE(input.happened(E::buttonUp));
    EXPECT_FALSE(input.happened(E::doubleClick));
    EXPECT_FALSE(input.happened(E::wheel));
    EXPECT_FALSE(input.happened(E::closeCommand));
}

TEST(StepTimer, AStepWhenTheIntervalHasPassed)
{
    StepTimer t(12);
    t.start(1000);
    EXPECT_FALSE(t.due(1011));
    EXPECT_EQ(t.untilNext(1011), 1);
    EXPECT_TRUE(t.due(1012));
    EXPECT_FALSE(t.due(1023)); // counted from the reading of the last step
    EXPECT_TRUE(t.due(1030));  // a late step moves the schedule, it never catches up twice
    EXPECT_FALSE(t.due(1041));
    EXPECT_EQ(t.untilNext(2000), 0);
    EXPECT_EQ(StepTimer(0).interval(), 1);
}

TEST(SaverLock, OneCopyPerMode)
{
    quillo::test::TempDir dir;
    SaverLock first(dir.str());
    ASSERT_TRUE(first.acquire(SaverMode::saver));
    {
        SaverLock second(dir.str());
        EXPECT_FALSE(second.acquire(SaverMode::saver));       // a second saver ends at once
        EXPECT_TRUE(second.acquire(SaverMode::preview));      // other modes are free
        SaverLock third(dir.str());
        EXPECT_FALSE(third.acquire(SaverMode::preview));
        EXPECT_TRUE(third.acquire(SaverMode::xscreensaver)); // never locked: one copy per screen
    }
    SaverLock settings(dir.str());
    ASSERT_TRUE(settings.acquire(SaverMode::settings));
    SaverLock preview(dir.str());
    EXPECT_FALSE(preview.acquire(SaverMode::preview)); // a preview yields to the settings dialog
    SaverLock again(dir.str());
    EXPECT_FALSE(again.acquire(SaverMode::settings));
}

TEST(SaverLock, TheWholeMatrixOfHeldAndAskedModes)
{
    using M = SaverMode;
    const struct {
        M held, asked;
        bool runs;
    } cases[] = {
        {M::saver, M::saver, false},     {M::saver, M::preview, true},     {M::saver, M::settings, true},
        {M::saver, M::xscreensaver, true}, {M::preview, M::saver, true},   {M::preview, M::preview, false},
        {M::preview, M::settings, true}, {M::preview, M::xscreensaver, true}, {M::settings, M::saver, true},
        {M::settings, M::preview, false}, {M::settings, M::settings, false}, {M::settings, M::xscreensaver, true},
        {M::xscreensaver, M::xscreensaver, true}, {M::xscreensaver, M::saver, true},
    };
    for (const auto& c : cases) {
        quillo::test::TempDir dir;
        SaverLock held(dir.str());
        ASSERT_TRUE(held.acquire(c.held));
        SaverLock asked(dir.str());
        EXPECT_EQ(asked.acquire(c.asked), c.runs) << int(c.held) << " then " << int(c.asked);
    }
}

TEST(SaverLock, ALockGoesWithItsHolder)
{
    quillo::test::TempDir dir;
    for (SaverMode mode : {SaverMode::saver, SaverMode::preview, SaverMode::settings}) {
        {
            SaverLock first(dir.str());
            ASSERT_TRUE(first.acquire(mode));
        }
        SaverLock next(dir.str());
        EXPECT_TRUE(next.acquire(mode)) << int(mode);
    }
    SaverLock nowhere("/nonexistent/quillo");
    EXPECT_TRUE(nowhere.acquire(SaverMode::saver)); // no place for a lock: run rather than refuse
}
