// The screen saver: one playback step plus the engine frame of the example
// animation at 640 x 480 and 1024 x 768 (the two full-screen mode sizes),
// against the 12 ms step interval of the fastest speed.
#include <benchmark/benchmark.h>

#include <string>

#include "animation/sound_device.h"
#include "saver/saver_player.h"

using namespace quillo;

namespace {

void StepAndFrame(benchmark::State& state)
{
    anim::SilentSoundDevice sound;
    SaverSettings settings;
    settings.animfile = std::string(QUILLO_SOURCE_DIR) + "/examples/robot_show.md7";
    settings.modewidth = int(state.range(0));
    settings.modeheight = int(state.range(1));
    SaverPlayer player(sound);
    int64_t now = 0;
    if (!player.start(settings, settings.modewidth, settings.modeheight, now)) {
        state.SkipWithError("the example animation did not start");
        return;
    }
    for (auto _ : state) {
        now += settings.interval;
        benchmark::DoNotOptimize(player.tick(now));
    }
    state.counters["steps"] = double(player.steps());
}

} // namespace

BENCHMARK(StepAndFrame)->Args({640, 480})->Args({1024, 768})->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
