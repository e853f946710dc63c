// The animation editor: one playback step plus the engine frame of a scene
// of 64 robots at 640 x 480 (against the 12 ms playback interval; the p50
// and p95 of the repetitions are reported), and exporting 300 frames at
// 1280 x 720 to memory (frames per second).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "animation/scene_frames.h"
#include "animation/sound_device.h"
#include "animeditor/anime_editor.h"
#include "animeditor/frame_export.h"
#include "animeditor/scripted_anime_dialogs.h"
#include "engine3d/objct.h"

using namespace quillo;
using namespace quillo::animeditor;

namespace {

const std::string kRobot = std::string(QUILLO_SOURCE_DIR) + "/examples/robot.md4";

struct Stage {
    ScriptedAnimeDialogs dialogs;
    anim::SilentSoundDevice sound;
    AnimeEditor editor;

    Stage(int width, int height, int frames) : editor(dialogs, sound, settings(width, height))
    {
        anim::AnimationDocument& doc = editor.document();
        for (int i = 0; i < 64; ++i) doc.findOrLoadModel(kRobot);
        anim::Scene& scene = doc.current();
        // Each frame turns every robot a little further and moves it.
        for (int f = 0; f < frames; ++f) {
            for (size_t m = 0; m < scene.models.size(); ++m) {
                auto* top = &static_cast<anim::EngineModel*>(scene.models[m])->top();
                top->place(float(int(m % 8) - 4) * 3.0f, float(int(m / 8) - 4) * 3.0f, float(f % 10), 0.0f,
                           0.0f, 0.05f * float(f));
            }
            scene.frameIndex = f;
            anim::recordSceneFrame(doc);
        }
        scene.frameIndex = 0;
    }
    static engine3d::EngineSettings settings(int width, int height)
    {
        engine3d::EngineSettings s;
        s.maxWidth = width;
        s.maxHight = height;
        return s;
    }
};

double percentile(std::vector<double> v, double p)
{
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v[size_t(p * double(v.size() - 1))];
}

// The CPU time this thread has used, in milliseconds: a frame's own cost,
// without the time other programs on a shared machine take the core away.
double threadMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) * 1e-6;
}

// Besides the means of the repetitions (and their p50/p95), every single
// step + frame is timed, and the counters frame_p50_ms / frame_p95_ms give
// the percentiles of those: what a viewer of the playback sees.
void BM_PlaybackStep64Models(benchmark::State& state)
{
    Stage stage(640, 480, 30);
    std::vector<double> frames;
    for (auto _ : state) {
        const double start = threadMilliseconds();
        stage.editor.playStep();
        benchmark::DoNotOptimize(stage.editor.drawFrame());
        frames.push_back(threadMilliseconds() - start);
    }
    state.counters["frame_p50_ms"] = percentile(frames, 0.5);
    state.counters["frame_p95_ms"] = percentile(frames, 0.95);
}
BENCHMARK(BM_PlaybackStep64Models)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(20)
    ->ComputeStatistics("p50", [](const std::vector<double>& v) { return percentile(v, 0.5); })
    ->ComputeStatistics("p95", [](const std::vector<double>& v) { return percentile(v, 0.95); });

void BM_Export300Frames720p(benchmark::State& state)
{
    Stage stage(1280, 720, 300);
    std::string why;
    for (auto _ : state) {
        uint32_t sum = 0;
        exportSceneFrames(stage.editor, 0, 0, -1, [&](int, std::string&) {
            sum += stage.editor.layer().device().target().pixels[0];
            return true;
        }, why);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["frames_per_second"] = benchmark::Counter(300.0 * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Export300Frames720p)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
