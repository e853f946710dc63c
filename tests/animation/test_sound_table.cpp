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

TEST_F(SoundTableTest, AWaveThenAnotherWaveStopsAndRewindsTheFirst)
{
    addFour();
    table.select(wave1);
    EXPECT_EQ(device.take(), (Calls{"stop 1", "rewind 1", "play 1"}));
    expectIndexes(0, wave1, wave1);
    table.select(wave2);
    EXPECT_EQ(device.take(), (Calls{"stop 1", "rewind 1", "stop 2", "rewind 2", "play 2"}));
    expectIndexes(0, wave2, wave2);
}

TEST_F(SoundTableTest, MidiThenWaveBothPlayAndEntryZeroStopsBoth)
{
    addFour();
    table.select(midi1);
    EXPECT_EQ(device.take(), (Calls{"play 3"}));
    table.select(wave1);
    EXPECT_EQ(device.take(), (Calls{"stop 1", "rewind 1", "play 1"}));
    expectIndexes(midi1, wave1, wave1);
    table.select(0);
    EXPECT_EQ(device.take(), (Calls{"stop 3", "rewind 3", "stop 1", "rewind 1"}));
    expectIndexes(0, 0, 0);
}

TEST_F(SoundTableTest, APlayingWaveIsStoppedByEntryZero)
{
    // With the wave index reset after starting it, this wave would play on.
    addFour();
    table.select(wave1);
    device.take();
    table.select(0);
    EXPECT_EQ(device.take(), (Calls{"stop 1", "rewind 1"}));
}

TEST_F(SoundTableTest, SelectingTheSameEntryTwiceDoesNotRestartIt)
{
    addFour();
    table.select(midi1);
    table.select(wave2);
    device.take();
    table.select(wave2);
    EXPECT_TRUE(device.take().empty());
    table.select(midi2); // another MIDI entry replaces the first; the wave plays on
    EXPECT_EQ(device.take(), (Calls{"stop 3", "rewind 3", "play 4"}));
    expectIndexes(midi2, wave2, midi2);
    table.select(midi2);
    EXPECT_TRUE(device.take().empty());
}

TEST_F(SoundTableTest, AnIndexOutsideTheTableOnlyStopsTheWave)
{
    addFour();
    table.select(midi1);
    table.select(wave1);
    device.take();
    table.select(17);
    EXPECT_EQ(device.take(), (Calls{"stop 1", "rewind 1"}));
    expectIndexes(midi1, 0, 17);
    table.select(-2);
    EXPECT_TRUE(device.take().empty());
}

TEST_F(SoundTableTest, AWaveSelectedAgainAfterMusicPlaysFromItsBeginning)
{
    addFour();
    table.select(wave1);
    table.select(midi1);
    device.take();
    table.select(wave1);
    EXPECT_EQ(device.take(), (Calls{"stop 1", "rewind 1", "play 1"}));
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
