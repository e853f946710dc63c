#include "animation/sound_table.h"
#include "animation/recording_sound_device.h"

#include <gtest/gtest.h>

using namespace quillo::anim;
using Calls = std::vector<std::string>;

namespace {

class SoundTableTest : public ::testing::Test {
protected:
    RecordingSoundDevice device;
    SoundTable table{device};
    int wave1 = 0, wave2 = 0, midi1 = 0, midi2 = 0;

    void addFour()
    {
        wave1 = table.add("a.wav"); // device 1
        wave2 = table.add("b.WAV"); // device 2
        midi1 = table.add("c.mid"); // device 3
        midi2 = table.add("d.mid"); // device 4
        device.take();
    }
    void expectIndexes(int midi, int wave, int last)
    {
        EXPECT_EQ(table.currentmidi, midi);
        EXPECT_EQ(table.currentwave, wave);
        EXPECT_EQ(table.lastsound, last);
    }
};

struct KindCase {
    const char* path;
    int index; // -1: not added
    bool wave;
};

} // namespace

TEST_F(SoundTableTest, KindComesFromTheLetterAfterTheFirstDot)
{
    const KindCase cases[] = {
        {"music/theme.mid", 1, false},   {"se/BANG.WAV", 2, true},        {"old.old/theme.wav", 3, false},
        {"take.wav/theme.mid", 4, true}, {"noextension", -1, false},      {"trailing.", 5, false},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.path);
        const int i = table.add(c.path);
        EXPECT_EQ(i, c.index);
        if (i > 0) {
            EXPECT_EQ(table.entry(i).wave, c.wave);
        }
    }
    EXPECT_EQ(table.count(), 6);
}

TEST_F(SoundTableTest, TheSamePathIsOpenedOnce)
{
    EXPECT_EQ(table.add("a.wav"), 1);
    EXPECT_EQ(table.add("a.wav"), 1);
    EXPECT_EQ(table.add("./a.wav"), 2); // another spelling is another entry
    EXPECT_EQ(device.take(), (Calls{"open a.wav", "open ./a.wav"}));
}

// Entries 1 and 2 are waves, 3 and 4 MIDI files. After the selections
// `before`, selecting `entry` tells the device `calls` and leaves the MIDI,
// wave and last-sound indexes (-1: not checked).
TEST_F(SoundTableTest, SelectingStopsRewindsAndPlaysWhatItMust)
{
    const struct {
        std::vector<int> before;
        int entry;
        Calls calls;
        int midi, wave, last;
    } cases[] = {
        {{}, 1, {"stop 1", "rewind 1", "play 1"}, 0, 1, 1},
        {{1}, 2, {"stop 1", "rewind 1", "stop 2", "rewind 2", "play 2"}, 0, 2, 2}, // a wave stops the other
        {{}, 3, {"play 3"}, -1, -1, -1},
        {{3}, 1, {"stop 1", "rewind 1", "play 1"}, 3, 1, 1}, // MIDI and wave play together
        {{3, 1}, 0, {"stop 3", "rewind 3", "stop 1", "rewind 1"}, 0, 0, 0},
        {{1}, 0, {"stop 1", "rewind 1"}, 0, 0, 0}, // a playing wave is stopped by entry 0
        {{3, 2}, 2, {}, 3, 2, 2},                  // the same entry twice does not restart it
        {{3, 2}, 4, {"stop 3", "rewind 3", "play 4"}, 4, 2, 4},
        {{3, 2, 4}, 4, {}, 4, 2, 4},
        {{3, 1}, 17, {"stop 1", "rewind 1"}, 3, 0, 17}, // outside the table: only the wave stops
        {{3, 1, 17}, -2, {}, -1, -1, -1},
        {{1, 3}, 1, {"stop 1", "rewind 1", "play 1"}, -1, -1, -1}, // a wave again plays from its beginning
    };
    for (const auto& c : cases) {
        RecordingSoundDevice fresh;
        SoundTable t{fresh};
        for (const char* path : {"a.wav", "b.WAV", "c.mid", "d.mid"}) t.add(path);
        for (int e : c.before) t.select(e);
        fresh.take();
        t.select(c.entry);
        const std::string what = "select " + std::to_string(c.entry) + " after " + std::to_string(c.before.size());
        EXPECT_EQ(fresh.take(), c.calls) << what;
        if (c.midi >= 0) {
            EXPECT_EQ(t.currentmidi, c.midi) << what;
        }
        if (c.wave >= 0) {
            EXPECT_EQ(t.currentwave, c.wave) << what;
        }
        if (c.last >= 0) {
            EXPECT_EQ(t.lastsound, c.last) << what;
        }
    }
}

TEST_F(SoundTableTest, AFileThatDidNotOpenStaysSilent)
{
    device.unopenable.insert("broken.wav");
    const int i = table.add("broken.wav");
    EXPECT_EQ(table.entry(i).device, 0);
    device.take();
    table.select(i);
    table.stop(i);
    table.close(i);
    EXPECT_TRUE(device.take().empty());
    EXPECT_EQ(table.lastsound, i);
}

TEST_F(SoundTableTest, CloseAllClosesEveryDeviceAndEmptiesTheTable)
{
    addFour();
    table.select(midi1);
    device.take();
    table.close(wave2);
    EXPECT_EQ(device.take(), (Calls{"stop 2", "rewind 2", "close 2"}));
    EXPECT_EQ(table.count(), 5);
    table.closeAll();
    EXPECT_EQ(device.take(), (Calls{"stop 1", "rewind 1", "close 1", "stop 3", "rewind 3", "close 3", "stop 4",
                                    "rewind 4", "close 4"}));
    EXPECT_EQ(table.count(), 1);
    expectIndexes(0, 0, 0);
}
