// The model editor's renderer on large models: (a) a redraw, which rebuilds
// colours, textures, normals and polygons, and (b) one frame, which clears,
// projects, sorts or Z-tests and rasterises. Generated bumpy spheres of
// 20,000 and 200,000 faces, a quarter of them textured, filling most of
// the frame height, at 640 x 480 and 1600 x 1200, with and without the Z
// buffer.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "model/colour_table.h"
#include "softrender/model_builder.h"
#include "softrender/redraw.h"
#include "softrender/transform.h"
#include "support/bmp_writer.h"

using namespace quillo;

namespace {

struct Scene {
    ModelDocument document;
    GMTBL table;
    FrameLists lists;
};

// One scene per face count, built once and redrawn once.
Scene& scene(int faces)
{
    static std::map<int, std::unique_ptr<Scene>> scenes;
    auto& s = scenes[faces];
    if (!s) {
        s = std::make_unique<Scene>();
        ModelObject& sphere = test::addSphere(s->document, faces, 3000, 8);
        const std::string pattern = "/tmp/quillo_render_bench.bmp";
        test::writeBmp(pattern, test::checkerPattern(64));
        const int texture = test::addTexture(sphere, "band", planeXY, -3000, -3000, 3000, 3000, {pattern});
        sphere.materials[0].texture = texture;
        redraw(s->document, s->table, s->lists);
        updateWorld(s->document);
    }
    return *s;
}

void redrawArgs(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"faces"})->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);
}

void frameArgs(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"faces", "width", "height", "zbuffer"})->Unit(benchmark::kMillisecond);
    for (int faces : {20000, 200000})
        for (auto [w, h] : {std::pair{640, 480}, std::pair{1600, 1200}})
            for (int z : {0, 1}) b->Args({faces, w, h, z});
}

void BM_Redraw(benchmark::State& state)
{
    Scene& s = scene(int(state.range(0)));
    for (auto _ : state) {
        redraw(s.document, s.table, s.lists);
        benchmark::DoNotOptimize(s.lists.polygons.data());
    }
    state.counters["polygons"] = double(s.lists.polygons.size());
}
BENCHMARK(BM_Redraw)->Apply(redrawArgs);

void BM_Frame(benchmark::State& state)
{
    Scene& s = scene(int(state.range(0)));
    Frame frame(int(state.range(1)), int(state.range(2)), state.range(3) != 0);
    for (auto _ : state) {
        drawFrame(s.document, s.lists, s.table, frame);
        benchmark::DoNotOptimize(frame.row(0));
    }
    state.counters["polygons"] = double(s.lists.polygons.size());
}
BENCHMARK(BM_Frame)->Apply(frameArgs);

} // namespace

BENCHMARK_MAIN();
