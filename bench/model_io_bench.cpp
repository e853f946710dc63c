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

// Inputs that a reader taking more than linear time would spend long on:
// many copies of one face, long runs of one keyword. The complexity fitted
// over the sizes should be O(N).
void readHostile(benchmark::State& state, int kind)
{
    const int n = int(state.range(0));
    std::string text = "ob o 0 0 0\n v 0 0 0\n v 8 0 0\n v 8 8 0\npb p 0 0 0\n m 0 1 0\n c 1 2 3\n"
                       " txy t t.bmp 0 0 8 8\n";
    const char* const runs[] = {" q 0 1 2 2\n q 1 2 0 0\n", " m 0 1 0\n c 1 2 3\n", " txy t t.bmp 0 0 8 8\n",
                                " te t\n", " pb c 0 0 0 pe c\n"};
    const char* run = runs[kind];
    for (int i = 0; i < n; ++i) text += run;
    text += "pe p\n tb t\n";
    for (int i = 0; i < n; ++i) text += " a.bmp\n";
    text += " te t\noe o\n";
    for (auto _ : state) {
        ModelDocument doc;
        readModelText(doc, text, "/tmp/hostile.md4");
        benchmark::DoNotOptimize(doc.objects.count());
    }
    state.SetComplexityN(n);
}
#define HOSTILE(name, kind) \
    BENCHMARK_CAPTURE(readHostile, name, kind)->RangeMultiplier(2)->Range(10000, 80000)->Complexity(benchmark::oN)
HOSTILE(equalFaces, 0);
HOSTILE(colourLines, 1);
HOSTILE(knownTextureLines, 2);
HOSTILE(strayTe, 3);
HOSTILE(emptyParts, 4);

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
