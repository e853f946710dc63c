// Undo on the 1,000,000-face model through the editor: a point move with
// its history step, the undo of it, and the memory of 200 small edits
// against the memory of the model itself.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <memory>

#include "bench_models.h"
#include "modeler/model_editor.h"
#include "platform/scripted_model_dialogs.h"

using namespace quillo;

namespace {

// Resident memory of the process in bytes.
double residentBytes()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE));
}

struct BigEditor {
    ScriptedModelDialogs dialogs;
    MemorySettingsStore store;
    std::unique_ptr<ModelEditor> editor;
    double modelBytes = 0;

    BigEditor()
    {
        const std::string path = makeModelFile(1, 1000000);
        const double before = residentBytes();
        editor = std::make_unique<ModelEditor>(dialogs, store);
        if (!editor->openFile(path)) return;
        modelBytes = residentBytes() - before;
        editor->dispatch(Cmd::ModePoint);
        editor->dispatch(Cmd::MoveStep1);
    }
    // Picks a point in the middle of chunk `n` of the vertex table.
    void pick(int n) { editor->state.pickpoint = n * snapshotChunkRecords + snapshotChunkRecords / 2; }
};

void pointMoveWithStep(benchmark::State& state)
{
    BigEditor b;
    b.pick(10);
    int n = 0;
    for (auto _ : state) b.editor->dispatch(n++ % 2 ? Cmd::PlusX : Cmd::MinusX); // alternating keys: a step each
    state.counters["steps"] = b.editor->history().undoSteps();
}

void undoPointMove(benchmark::State& state)
{
    BigEditor b;
    b.pick(10);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        b.editor->dispatch(n++ % 2 ? Cmd::PlusX : Cmd::MinusX);
        state.ResumeTiming();
        b.editor->dispatch(Cmd::Undo);
    }
}

void redoPointMove(benchmark::State& state)
{
    BigEditor b;
    b.pick(10);
    b.editor->dispatch(Cmd::PlusX);
    for (auto _ : state) {
        state.PauseTiming();
        b.editor->dispatch(Cmd::Undo);
        state.ResumeTiming();
        b.editor->dispatch(Cmd::Redo);
    }
}

// 200 point moves of points in different chunks: the history's bytes and
// the process's growth, against the model's own memory.
void historyOf200Edits(benchmark::State& state)
{
    for (auto _ : state) {
        BigEditor b;
        const double before = residentBytes();
        for (int i = 0; i < 200; ++i) {
            b.pick(i % 240);
            b.editor->dispatch(i % 2 ? Cmd::PlusY : Cmd::MinusY);
        }
        state.counters["steps"] = b.editor->history().undoSteps();
        state.counters["model_MB"] = b.modelBytes / 1e6;
        state.counters["history_MB"] = double(b.editor->history().bytes()) / 1e6;
        state.counters["growth_MB"] = (residentBytes() - before) / 1e6;
    }
}

} // namespace

BENCHMARK(pointMoveWithStep)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(undoPointMove)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(redoPointMove)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(historyOf200Edits)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
