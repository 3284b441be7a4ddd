// Speed of one drag step on the longest gradation at the widest picture: the partial path
// (interior point, open and loop, synchro off and on for all three channels) and the full path.
#include "editing/drag_start.h"
#include "editing/drag_step.h"
#include "support/editor_fixture.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace spectrane {
namespace {

// L = 1600, 14 points per channel, the picture 1200 pixels across; text measured, not kept.
std::unique_ptr<test::EditorFixture> longestDocument(bool loop, bool synchro,
                                                     ColorMode mode = ColorMode::Rgb) {
    std::vector<CurvePoint> points;
    for (int j = 0; j < 14; ++j) {
        const double x = loop ? 60.0 + 1590.0 * j / 14 : 56.0 + 1599.0 * j / 13;
        points.push_back({x, 100.0 + 150.0 * ((j * 5) % 7) / 7});
    }
    auto f = std::make_unique<test::EditorFixture>(test::makeDocument(
        1600, loop ? test::Points::LoopControls : test::Points::OpenControls, points));
    f->doc.thickness = 1200;
    f->doc.direction = 0;
    f->doc.synchro = synchro;
    f->doc.synchroChannels = {true, true, true};
    f->doc.mode = mode;
    f->text.record = false;
    f->refresh();
    return f;
}

// Drags interior point 7 to and fro by a few pixels; `fold` pushes it past its neighbour so
// that every step takes the full path.
void runSteps(benchmark::State& state, bool loop, bool synchro, bool fold,
              ColorMode mode = ColorMode::Rgb, int sweep = 16) {
    auto f = longestDocument(loop, synchro, mode);
    EditorContext ctx = f->context();
    const CurvePoint a = f->doc.channels[0].anchorPoints[7];
    StartDrag(ctx, static_cast<int>(a.x), static_cast<int>(a.y));
    const int x = static_cast<int>(a.x) + (fold ? 300 : 0);
    int k = 0;
    DragPath path = DragPath::None;
    for (auto _ : state) {
        path = DragStep(ctx, x + (k & 3), static_cast<int>(a.y) + (k * 7) % sweep - sweep / 2);
        ++k;
    }
    if (path != (fold ? DragPath::Full : DragPath::Partial)) {
        state.SkipWithError("unexpected path");
    }
}

void BM_DragStepPartialOpen(benchmark::State& s) {
    runSteps(s, false, false, false);
}
void BM_DragStepPartialLoop(benchmark::State& s) {
    runSteps(s, true, false, false);
}
void BM_DragStepPartialOpenSynchro3(benchmark::State& s) {
    runSteps(s, false, true, false);
}
void BM_DragStepPartialLoopSynchro3(benchmark::State& s) {
    runSteps(s, true, true, false);
}
void BM_DragStepFullOpen(benchmark::State& s) {
    runSteps(s, false, false, true);
}
void BM_DragStepFullOpenSynchro3(benchmark::State& s) {
    runSteps(s, false, true, true);
}

// OKLCh: every changed dot is gamut-mapped (the curves reach well outside sRGB); the first
// steps fill the per-thread memo, as a real drag's first moves do.
void BM_DragStepPartialOpenOklch(benchmark::State& s) {
    runSteps(s, false, false, false, ColorMode::Oklch);
}
void BM_DragStepFullOpenOklch(benchmark::State& s) {
    runSteps(s, false, false, true, ColorMode::Oklch);
}
// A long drag: the point sweeps over 160 levels, more level triples than the memo keeps.
void BM_DragStepPartialOpenSweep(benchmark::State& s) {
    runSteps(s, false, false, false, ColorMode::Rgb, 160);
}
void BM_DragStepPartialOpenSweepOklch(benchmark::State& s) {
    runSteps(s, false, false, false, ColorMode::Oklch, 160);
}

BENCHMARK(BM_DragStepPartialOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepPartialLoop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepPartialOpenSynchro3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepPartialLoopSynchro3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepFullOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepFullOpenSynchro3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepPartialOpenOklch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepFullOpenOklch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepPartialOpenSweep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepPartialOpenSweepOklch)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace spectrane
