// Memory and time of the undo history with large steps: a full document (1000 frames × 255 cell
// numbers, every slot occupied) takes 32 batch changes of every cell, each one undo step of
// 255 000 "Update Cell" records; then the 32 steps are undone and redone. Also a 33rd step on a
// full history (the oldest step is deleted) and Insert Frame on a document one frame short of full.
//
// Counters: records = records held by the history, accounted_MB = the records' own size
// accounting (cRestore::size), heap_MB = what the heap grew by while the history was built
// (glibc mallinfo2), bytes_per_record = heap_MB per record.

#include "document/history.h"
#include "config/config.h"
#include "document/edit_commands.h"
#include "document/project.h"
#include "document/transaction.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

namespace {

size_t HeapBytes() {
#if defined(__GLIBC__)
    return mallinfo2().uordblks;
#else
    return 0;
#endif
}

std::unique_ptr<cProject> MakeFullDocument(const cConfig& cfg, int frames, int cells) {
    auto doc = std::make_unique<cProject>(&cfg);
    doc->create(0, cells, 0, 0);
    for (int f = 0; f < frames; ++f) {
        doc->frameOrCreate(f);
        for (int c = 0; c < cells; ++c) {
            strCell cell;
            cell.x = static_cast<int16_t>(c);
            cell.y = static_cast<int16_t>(f % 1000);
            doc->setCell(f, c, &cell);
        }
    }
    return doc;
}

// One step that changes every cell of the document (a batch edit).
void BatchStep(cProject& doc, int s) {
    cTransaction t(doc, strMessage(kStepBatch));
    const int frames = doc.frameCount();
    const int cells = doc.cellNumber();
    for (int f = 0; f < frames; ++f)
        for (int c = 0; c < cells; ++c) {
            strCell cell = *doc.cell(f, c);
            cell.x = static_cast<int16_t>((cell.x + s + 1) % 1000);
            doc.setCell(f, c, &cell);
        }
    t.commit();
}

void SetCounters(benchmark::State& state, const cHistory& h, size_t heapDelta) {
    const double mb = 1024.0 * 1024.0;
    state.counters["records"] = static_cast<double>(h.recordCount());
    state.counters["accounted_MB"] = static_cast<double>(h.recordBytes()) / mb;
    state.counters["heap_MB"] = static_cast<double>(heapDelta) / mb;
    if (h.recordCount())
        state.counters["bytes_per_record"] =
            static_cast<double>(heapDelta) / static_cast<double>(h.recordCount());
}

// Building the history: 32 batch steps.
void BM_History_Record32Steps(benchmark::State& state) {
    const cConfig cfg;
    const int frames = static_cast<int>(state.range(0));
    const int cells = static_cast<int>(state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = MakeFullDocument(cfg, frames, cells);
        cHistory& history = doc->history();
        history.clear(32);
        const size_t heap0 = HeapBytes();
        state.ResumeTiming();
        for (int s = 0; s < 32; ++s)
            BatchStep(*doc, s);
        state.PauseTiming();
        SetCounters(state, history, HeapBytes() - heap0);
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_History_Record32Steps)
    ->Args({100, 16})
    ->Args({1000, 255})
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

// Undoing the 32 steps, then redoing them (timed separately).
void BM_History_UndoAll(benchmark::State& state) {
    const cConfig cfg;
    const int frames = static_cast<int>(state.range(0));
    const int cells = static_cast<int>(state.range(1));
    const bool redo = state.range(2) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = MakeFullDocument(cfg, frames, cells);
        cHistory& history = doc->history();
        history.clear(32);
        for (int s = 0; s < 32; ++s)
            BatchStep(*doc, s);
        if (redo)
            while (history.undo()) {
            }
        state.ResumeTiming();
        if (redo)
            while (history.redo()) {
            }
        else
            while (history.undo()) {
            }
        state.PauseTiming();
        SetCounters(state, history, 0);
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_History_UndoAll)
    ->ArgNames({"frames", "cells", "redo"})
    ->Args({1000, 255, 0})
    ->Args({1000, 255, 1})
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

// One more batch step on a full history: the step is recorded and the oldest one deleted.
void BM_History_StepOnFullHistory(benchmark::State& state) {
    const cConfig cfg;
    auto doc = MakeFullDocument(cfg, 1000, 255);
    cHistory& history = doc->history();
    history.clear(32);
    for (int s = 0; s < 32; ++s)
        BatchStep(*doc, s);
    int s = 32;
    for (auto _ : state)
        BatchStep(*doc, s++);
    SetCounters(state, history, 0);
}
BENCHMARK(BM_History_StepOnFullHistory)->Iterations(4)->Unit(benchmark::kMillisecond);

// Frame commands on a 999 × 255 document: Insert Frame at 0 (999 frames slide up, the last one
// into the free slot) and its undo.
void BM_History_InsertFrameAndUndo(benchmark::State& state) {
    cConfig cfg;
    auto doc = MakeFullDocument(cfg, 999, 255);
    cEditCommands ed(*doc, cfg);
    for (auto _ : state) {
        ed.setCurrentFrame(0);
        if (!ed.insertFrame().ok) state.SkipWithError("the frame was not inserted");
        benchmark::DoNotOptimize(ed.undo());
    }
}
BENCHMARK(BM_History_InsertFrameAndUndo)->Unit(benchmark::kMicrosecond);

} // namespace
