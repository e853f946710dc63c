// The 3D engine on a scene of 64 generated models (spheres of 156 quads,
// about 20,000 triangles in all) at 640 x 480 and 1024 x 768, Gouraud
// shaded, untextured and textured: (a) a full frame, clearing and
// presenting the whole target, and (b) a frame in which one model moved,
// clearing and presenting only the dirty rectangles.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "engine3d/block.h"
#include "engine3d/device_layer.h"
#include "engine3d/model_table.h"
#include "support/bmp_writer.h"

using namespace quillo;
using namespace quillo::engine3d;

namespace {

constexpr int models = 64;

// A sphere of radius 400 grid units: 12 segments, 13 rings of quads (the
// caps as triangles), optionally textured across its front.
std::string sphereModel(bool textured, const std::string& pattern, int colour)
{
    const int segments = 12, rings = 13;
    std::string text = "ob ball 0 0 0\n dt 0.0125\n";
    for (int r = 0; r <= rings; ++r)
        for (int s = 0; s < segments; ++s) {
            const double t = M_PI * r / rings, p = 2 * M_PI * s / segments;
            char line[96];
            std::snprintf(line, sizeof line, " v %d %d %d\n", int(400 * std::sin(t) * std::cos(p)), int(-400 * std::cos(t)),
                          int(400 * std::sin(t) * std::sin(p)));
            text += line;
        }
    text += "pb body 0 0 0\n m 0.3 1 0.2\n c " + std::to_string(80 + colour % 170) + " " +
            std::to_string(200 - colour % 120) + " 160\n";
    if (textured) text += " txy band " + pattern + " -400 -400 800 800\n";
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < segments; ++s) {
            const int a = r * segments + s, b = r * segments + (s + 1) % segments;
            text += " q " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(b + segments) + " " +
                    std::to_string(a + segments) + "\n";
        }
    return text + "pe body\noe ball\n";
}

struct Scene {
    DeviceLayer layer;
    std::unique_ptr<ModelTable> table;
    std::unique_ptr<CAM> camera;
    int triangles = 0;

    Scene(int w, int h, bool textured)
    {
        EngineSettings s;
        s.maxWidth = w;
        s.maxHight = h;
        layer.ddinit(s, nullptr);
        table = std::make_unique<ModelTable>(layer);
        camera = std::make_unique<CAM>(layer.device(), layer.viewMatrix());
        const std::string pattern = "/tmp/quillo_engine_bench.bmp";
        test::writeBmp(pattern, test::checkerPattern(64));
        for (int i = 0; i < models; ++i) {
            const std::string path = "/tmp/quillo_engine_bench_" + std::to_string(i) + ".md4";
            test::writeText(path, sphereModel(textured, pattern, i * 37));
            OBJCT* o = table->load(path);
            o->place(float(i % 8 - 3.5) * 12.0f, float(i / 8 - 3.5) * 9.0f, 0.0f, 0.1f * float(i), 0.0f, 0.0f);
            updateWorld(*o);
            for (EXBC* l = o->exbc.get(); l; l = l->next.get())
                for (const TriangleList& list : l->batch.lists) triangles += int(list.indices.size() / 3);
        }
    }

    void frame()
    {
        layer.rend([this](Device& d, DirtyRects& dirty) {
            for (int i = table->count() - 1; i >= 0; --i) drawModel(*table->model(i), d, dirty);
        });
    }
};

Scene& scene(int w, int h, bool textured)
{
    static std::map<std::tuple<int, int, bool>, std::unique_ptr<Scene>> scenes;
    auto& s = scenes[{w, h, textured}];
    if (!s) s = std::make_unique<Scene>(w, h, textured);
    return *s;
}

void fullFrame(benchmark::State& state)
{
    Scene& s = scene(int(state.range(0)), int(state.range(1)), state.range(2) != 0);
    for (auto _ : state) {
        s.layer.refreshAll();
        s.frame();
    }
    state.counters["triangles"] = s.triangles;
}

void oneModelMoves(benchmark::State& state)
{
    Scene& s = scene(int(state.range(0)), int(state.range(1)), state.range(2) != 0);
    OBJCT* moving = s.table->model(27);
    float angle = 0.0f;
    s.layer.refreshAll();
    s.frame();
    for (auto _ : state) {
        angle += 0.05f;
        moving->place(moving->position[0], moving->position[1], 0.0f, angle, 0.0f, angle * 0.5f);
        updateWorld(*moving);
        s.frame();
    }
    state.counters["triangles"] = s.triangles;
}

void frameArgs(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"width", "height", "textured"})->Unit(benchmark::kMillisecond);
    for (auto [w, h] : {std::pair{640, 480}, std::pair{1024, 768}})
        for (int textured : {0, 1}) b->Args({w, h, textured});
}

BENCHMARK(fullFrame)->Apply(frameArgs);
BENCHMARK(oneModelMoves)->Apply(frameArgs);

} // namespace

BENCHMARK_MAIN();
