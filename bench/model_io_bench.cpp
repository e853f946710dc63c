// Reading and writing large model files: one part of 1,000,000 faces, and
// 1,000 parts of 1,000 faces. The files are generated once in /tmp.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "model/md4_file.h"
#include "model/model.h"
#include "bench_models.h"

using namespace quillo;

namespace {

void readLarge(benchmark::State& state)
{
    const std::string path = makeModelFile(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        ModelDocument doc;
        if (readModel(doc, path) != ReadResult::ok) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(doc.objects.count());
    }
}

void writeLarge(benchmark::State& state)
{
    const std::string path = makeModelFile(int(state.range(0)), int(state.range(1)));
    ModelDocument doc;
    readModel(doc, path);
    for (auto _ : state)
        if (!writeModel(doc, "/tmp/quillo_bench_out.md4")) state.SkipWithError("write failed");
}

} // namespace

BENCHMARK(readLarge)->Args({1, 1000000})->Args({1000, 1000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(writeLarge)->Args({1, 1000000})->Args({1000, 1000})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
