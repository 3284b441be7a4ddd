// Speed of undo: recording a step (at a drag's release), and undoing a length change at the
// longest gradation, which must cost no more than the document-wide refresh that follows it.
#include "history/history.h"
#include "model/random_curves.h"
#include "support/editor_fixture.h"
#include "transforms/length_change.h"

#include <benchmark/benchmark.h>

namespace {

using namespace spectrane;

// L = 1600 with 14 points per channel, its buffers rendered, a history at the document.
struct LongDocument {
    LongDocument() {
        f.doc.length = kMaxDots;
        RandomGenerator rng;
        rng.seed(7);
        newGradationCurves(f.doc, rng);
        f.refresh();
        history.reset(f.doc);
    }
    test::EditorFixture f;
    History history;
};

void BM_RecordDragStep(benchmark::State& state) {
    LongDocument d;
    double y = 100;
    for (auto _ : state) {
        d.f.doc.channels[0].controlPoints[3].y = (y += 1);
        benchmark::DoNotOptimize(d.history.record("drag", d.f.doc));
    }
}
BENCHMARK(BM_RecordDragStep)->Unit(benchmark::kMicrosecond);

void BM_DocumentRefresh1600(benchmark::State& state) {
    LongDocument d;
    for (auto _ : state) {
        test::renderFromScratch(d.f.doc, *d.f.buffers, d.f.colors, d.f.text, d.f.layout);
        benchmark::DoNotOptimize(d.f.buffers->mainBuffer.data());
    }
}
BENCHMARK(BM_DocumentRefresh1600)->Unit(benchmark::kMicrosecond);

// Undo of a length change 800 -> 1600, then the refresh; redo between runs.
void BM_UndoLengthChangeAndRefresh1600(benchmark::State& state) {
    LongDocument d;
    d.f.doc.length = 800;
    rebuildAllCurves(d.f.doc);
    d.history.reset(d.f.doc);
    if (!ChangeLength(d.f.doc, {kMaxDots, 800, kLengthScale})) {
        state.SkipWithError("length change refused");
        return;
    }
    d.history.record("length", d.f.doc);
    for (auto _ : state) {
        d.history.undo(d.f.doc);
        test::renderFromScratch(d.f.doc, *d.f.buffers, d.f.colors, d.f.text, d.f.layout);
        state.PauseTiming();
        d.history.redo(d.f.doc);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoLengthChangeAndRefresh1600)->Unit(benchmark::kMicrosecond);

} // namespace
