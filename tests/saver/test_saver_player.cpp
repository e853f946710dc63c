#include "saver/saver_player.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../support/temp_dir.h"
#include "animation/recording_sound_device.h"
#include "engine3d/engine_errors.h"
#include "model/messages.h"

using namespace quillo;

namespace {

class SaverPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine3d::resetReportedErrors();
        settings.animfile = QUILLO_SOURCE_DIR "/examples/robot_show.md7";
        settings.interval = 20;
    }
    static int litPixels(const engine3d::Target& t)
    {
        int lit = 0;
        for (uint32_t p : t.pixels) lit += (p & 0xFFFFFF) != 0;
        return lit;
    }

    MessageLog log;
    anim::RecordingSoundDevice sound;
    SaverSettings settings;
};

} // namespace

TEST_F(SaverPlayerTest, StartTakesTheFirstStepAndLaterStepsFollowTheClock)
{
    SaverPlayer player(sound);
    ASSERT_TRUE(player.start(settings, 160, 120, 1000));
    EXPECT_TRUE(player.running());
    EXPECT_EQ(player.steps(), 1);
    EXPECT_GT(litPixels(player.stage()->layer().device().target()), 0);
    const struct {
        int64_t now;
        bool drawn;
        int64_t steps, untilNext;
    } ticks[] = {{1000, false, 1, 20}, {1019, false, 1, 1}, {1020, true, 2, 20}, {1055, true, 3, 20}, {1074, false, 3, 1}};
    for (const auto& t : ticks) {
        EXPECT_EQ(player.tick(t.now), t.drawn) << t.now;
        EXPECT_EQ(player.steps(), t.steps) << t.now;
        EXPECT_EQ(player.untilNext(t.now), t.untilNext) << t.now;
    }
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(SaverPlayerTest, TheEngineFollowsTheSaversFixedSettings)
{
    settings.zbuffer = false;
    const engine3d::EngineSettings e = saverEngineSettings(settings, 5, 300);
    EXPECT_TRUE(e.gouraud);
    EXPECT_FALSE(e.persCorrect);
    EXPECT_FALSE(e.dither);
    EXPECT_TRUE(e.zoff);
    EXPECT_FALSE(e.fullscreen);
    EXPECT_EQ(e.driver, -1);
    EXPECT_EQ(e.maxWidth, 10);
    EXPECT_EQ(e.maxHight, 300);
    settings.eightbit = true;
    EXPECT_EQ(saverEngineSettings(settings, 640, 480).driver, 0);
}

TEST_F(SaverPlayerTest, ResizeIsLimitedToTheModeSize)
{
    settings.modewidth = 640;
    settings.modeheight = 480;
    SaverPlayer player(sound);
    ASSERT_TRUE(player.start(settings, 160, 120, 0));
    const struct {
        int w, h, ew, eh;
    } cases[] = {{320, 200, 320, 200}, {2000, 5, 640, 10}, {1, 1, 10, 10}};
    for (const auto& c : cases) {
        player.resize(c.w, c.h);
        EXPECT_EQ(player.stage()->layer().width(), c.ew);
        EXPECT_EQ(player.stage()->layer().height(), c.eh);
        EXPECT_TRUE(player.running());
    }
    EXPECT_TRUE(player.tick(1000));
}

TEST_F(SaverPlayerTest, AnAnimationThatCannotBeLoadedGivesTheFailureStateAndNothingIsDrawn)
{
    // The example away from its models.
    quillo::test::TempDir dir;
    std::filesystem::copy_file(settings.animfile, dir / "alone.md7");
    settings.animfile = dir / "alone.md7";
    SaverPlayer player(sound);
    EXPECT_FALSE(player.start(settings, 160, 120, 0));
    EXPECT_TRUE(player.failed());
    EXPECT_FALSE(player.running());
    EXPECT_FALSE(player.tick(5000));
    EXPECT_EQ(player.untilNext(5000), -1);
    EXPECT_FALSE(log.messages.empty());
}

TEST_F(SaverPlayerTest, ReleaseSilencesTheMusicAndMayBeCalledTwice)
{
    settings.animfile = QUILLO_SOURCE_DIR "/examples/robot_show.md7";
    SaverPlayer player(sound);
    ASSERT_TRUE(player.start(settings, 160, 120, 0));
    for (int64_t now = 20; now < 2000; now += 20) player.tick(now);
    player.release();
    EXPECT_EQ(player.stage(), nullptr);
    EXPECT_FALSE(player.running());
    const size_t calls = sound.calls.size();
    player.release();
    EXPECT_EQ(sound.calls.size(), calls);
    int opened = 0, closed = 0;
    for (const std::string& c : sound.calls) {
        opened += c.rfind("open ", 0) == 0;
        closed += c.rfind("close ", 0) == 0;
    }
    EXPECT_EQ(opened, closed); // every sound opened is closed again
}
