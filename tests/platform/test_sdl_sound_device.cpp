#include "platform/sdl_sound_device.h"
#include "animation/sound_table.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

using namespace quillo;

namespace {

const std::string corpus = std::string(QUILLO_CORPUS_DIR) + "/audio/";

class SdlSoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(corpus)) GTEST_SKIP() << "no sound corpus at " << corpus;
    }
};

struct OpenCase {
    const char* file;
    bool opens;
};

} // namespace

TEST_F(SdlSoundTest, OpensWaveAndMidiByContentAndRefusesBrokenFiles)
{
    SdlSoundDevice device;
    ASSERT_FALSE(device.silent()) << "SDL_AUDIODRIVER=dummy should give a device";
    const OpenCase cases[] = {
        {"goaudio_kick.wav", true},
        {"jazzsoft_test-c-major-scale.mid", true},
        {"jazzsoft_test-empty-file.mid", false},
        {"jazzsoft_test-not-a-midi-file.mid", false},
        {"hound_fuzz_crash-24728523ef4be15c838293b676f6853e73723bf4.wav", false},
        {"no-such-file.wav", false},
    };
    for (const OpenCase& c : cases) {
        const int handle = device.open(corpus + c.file);
        EXPECT_EQ(handle != 0, c.opens) << c.file;
        if (handle) device.close(handle);
    }
}

TEST_F(SdlSoundTest, AMidiFileNamedLikeAWaveStillOpens)
{
    // The table decides the kind from the name; the device from the bytes.
    const std::string copy = std::filesystem::temp_directory_path() / "quillo-midi-named.wav";
    std::filesystem::copy_file(corpus + "jazzsoft_test-c-major-scale.mid", copy,
                               std::filesystem::copy_options::overwrite_existing);
    SdlSoundDevice device;
    const int handle = device.open(copy);
    EXPECT_NE(handle, 0);
    device.close(handle);
    std::filesystem::remove(copy);
}

TEST_F(SdlSoundTest, TheSoundTableDrivesTheDeviceThroughEverySelection)
{
    SdlSoundDevice device;
    anim::SoundTable table(device);
    const int wave = table.add(corpus + "goaudio_kick.wav");
    const int other = table.add(corpus + "goaudio_8bit.wav");
    const int midi = table.add(corpus + "jazzsoft_test-c-major-scale.mid");
    ASSERT_NE(table.entry(wave).device, 0);
    ASSERT_NE(table.entry(midi).device, 0);
    for (int index : {midi, wave, other, wave, 0, 99, midi, midi, 0}) table.select(index);
    EXPECT_EQ(table.lastsound, 0);
    table.closeAll();
    EXPECT_EQ(table.count(), 1);
}

TEST_F(SdlSoundTest, PlayStopRewindAndCloseInAnyOrder)
{
    SdlSoundDevice device;
    const int wave = device.open(corpus + "goaudio_kick.wav");
    const int midi = device.open(corpus + "jazzsoft_test-c-major-scale.mid");
    ASSERT_NE(wave, 0);
    ASSERT_NE(midi, 0);
    for (int h : {wave, midi}) {
        device.stop(h); // not playing yet
        device.rewind(h);
        device.play(h);
        device.play(h);
        device.stop(h);
        device.play(h); // goes on where it stopped
        device.rewind(h);
        device.close(h);
        device.play(h); // closed: nothing
    }
    device.play(12345);
}

TEST_F(SdlSoundTest, WithoutASoundCardTheDeviceIsSilent)
{
    const char* before = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = before ? before : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    {
        SdlSoundDevice device;
        EXPECT_TRUE(device.silent());
        EXPECT_EQ(device.open(corpus + "goaudio_kick.wav"), 0);
        device.play(1);
    }
    if (before)
        setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
}

TEST(SdlSoundFont, TheGeneralMidiFontIsFound)
{
    const std::string font = SdlSoundDevice::soundFont();
    ASSERT_FALSE(font.empty()) << "scripts/setup.sh installs timgm6mb-soundfont";
    EXPECT_TRUE(std::filesystem::exists(font));
}
