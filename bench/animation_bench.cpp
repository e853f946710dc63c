// Animation data: in-betweening a scene of 64 models (and filling a gap with
// 1,023 halvings), applying a frame with the world matrices of 64 models on
// the engine, and reading and writing an MD7 of 64 models x 10,000 frames
// (the file stays in /tmp for bench/animation_io_vs_wc.sh).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "animation/animation_document.h"
#include "animation/engine_adapter.h"
#include "animation/md4_pose_model.h"
#include "animation/md7_file.h"
#include "animation/scene_frames.h"
#include "animation/sound_device.h"
#include "engine3d/device_layer.h"
#include "engine3d/model_table.h"
#include "engine3d/objct.h"
#include "model/messages.h"

using namespace quillo;
using namespace quillo::anim;

namespace {

const std::string kRobot = std::string(QUILLO_SOURCE_DIR) + "/examples/robot.md4";
const std::string kDir = "/tmp/quillo_anim_bench/";

// The robot example 64 times on the engine (two objects and six parts each).
struct EngineScene {
    EngineScene()
    {
        engine3d::EngineSettings settings;
        settings.maxWidth = 320;
        settings.maxHight = 240;
        layer.ddinit(settings, nullptr);
        table = std::make_unique<engine3d::ModelTable>(layer);
        camera = std::make_unique<engine3d::CAM>(layer.device(), layer.viewMatrix());
        loader = std::make_unique<EngineModelLoader>(*table, layer);
        doc = std::make_unique<AnimationDocument>(*loader, sound);
        animCamera = std::make_unique<EngineCamera>(*camera, layer);
        doc->camera = animCamera.get();
        for (int m = 0; m < 64; ++m) doc->findOrLoadModel(kRobot);
    }
    ~EngineScene()
    {
        doc.reset();
        table.reset();
    }
    // Two key frames with every object and joint posed differently.
    void twoKeys()
    {
        Scene& scene = doc->current();
        scene.frames.reset(scene.recordSize());
        for (int f = 0; f < 2; ++f) {
            int k = 0;
            for (AnimObject* object : scene.objects) {
                unsigned char pose[24];
                object->placement().storePose(pose);
                for (int n = 0; n < object->nodeCount(); ++n) {
                    auto& block = static_cast<EngineObject*>(object)->object();
                    block.partList[n]->place(0, 0, 0, 0.1f * f + 0.01f * k, 0.5f * f, -0.3f * f + 0.02f * n);
                }
                static_cast<EngineObject*>(object)->object().place(float(k), float(f), 0, 0.2f * f, 0, 0.4f * f);
                ++k;
            }
            scene.frameIndex = f;
            recordSceneFrame(*doc);
        }
        scene.frameIndex = 0;
    }
    void updateWorlds()
    {
        for (AnimModel* model : doc->current().models) engine3d::updateWorld(static_cast<EngineModel*>(model)->top());
    }

    MessageLog quiet;
    engine3d::DeviceLayer layer;
    std::unique_ptr<engine3d::ModelTable> table;
    std::unique_ptr<engine3d::CAM> camera;
    SilentSoundDevice sound;
    std::unique_ptr<EngineModelLoader> loader;
    std::unique_ptr<AnimationDocument> doc;
    std::unique_ptr<EngineCamera> animCamera;
};

EngineScene& engineScene()
{
    static EngineScene scene;
    return scene;
}

void BM_InbetweenSceneOf64Models(benchmark::State& state)
{
    EngineScene& s = engineScene();
    for (auto _ : state) {
        state.PauseTiming();
        s.twoKeys();
        state.ResumeTiming();
        inbetweenSceneFrame(*s.doc);
    }
    state.counters["record_bytes"] = s.doc->current().recordSize();
}
BENCHMARK(BM_InbetweenSceneOf64Models)->Unit(benchmark::kMicrosecond);

// 1,023 in-betweens: every gap halved, ten times over.
void BM_Fill1023Halvings(benchmark::State& state)
{
    EngineScene& s = engineScene();
    for (auto _ : state) {
        state.PauseTiming();
        s.twoKeys();
        state.ResumeTiming();
        Scene& scene = s.doc->current();
        for (int level = 0; level < 10; ++level) {
            const int gaps = scene.frames.count() - 1;
            for (int g = 0; g < gaps; ++g) {
                scene.frameIndex = 2 * g;
                inbetweenSceneFrame(*s.doc);
            }
        }
        benchmark::DoNotOptimize(scene.frames.count());
    }
    state.counters["frames"] = s.doc->current().frames.count();
}
BENCHMARK(BM_Fill1023Halvings)->Unit(benchmark::kMillisecond);

void BM_ApplyFrameWithWorldMatricesOf64Models(benchmark::State& state)
{
    EngineScene& s = engineScene();
    s.twoKeys();
    int f = 0;
    for (auto _ : state) {
        s.doc->current().frameIndex = f ^= 1;
        applySceneFrame(*s.doc);
        s.updateWorlds();
    }
}
BENCHMARK(BM_ApplyFrameWithWorldMatricesOf64Models)->Unit(benchmark::kMicrosecond);

// The big file: 64 robots x 10,000 frames, written once.
std::string bigFile()
{
    const std::string path = kDir + "big_64x10000.md7";
    if (std::filesystem::exists(path)) return path;
    std::filesystem::create_directories(kDir);
    std::filesystem::copy_file(kRobot, kDir + "robot.md4", std::filesystem::copy_options::overwrite_existing);
    MessageLog quiet;
    Md4PoseLoader loader;
    SilentSoundDevice sound;
    AnimationDocument doc(loader, sound);
    for (int m = 0; m < 64; ++m) doc.findOrLoadModel(kDir + "robot.md4");
    Scene& scene = doc.current();
    for (int f = 0; f < 10000; ++f) {
        for (AnimObject* object : scene.objects) {
            unsigned char pose[24];
            object->placement().storePose(pose);
            pose[0] = static_cast<unsigned char>(f);
            object->placement().loadPose(pose);
        }
        scene.frameIndex = f;
        recordSceneFrame(doc);
    }
    writeAnimation(doc, path);
    return path;
}

void BM_ReadAndWriteMd7Of64ModelsBy10000Frames(benchmark::State& state)
{
    const std::string path = bigFile();
    MessageLog quiet;
    Md4PoseLoader loader;
    SilentSoundDevice sound;
    for (auto _ : state) {
        AnimationDocument doc(loader, sound);
        readAnimation(doc, path);
        writeAnimation(doc, kDir + "copy.md7");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(std::filesystem::file_size(path)) * 2);
}
BENCHMARK(BM_ReadAndWriteMd7Of64ModelsBy10000Frames)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
