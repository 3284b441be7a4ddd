// Speed of the work a drag or a rebuild repeats: whole and local evaluation, the gradation
// picture, and the bitmap file.
#include "files/bitmap_file.h"
#include "model/gradation_render.h"
#include "model/oklab.h"
#include "model/random_curves.h"
#include "model/spline.h"
#include "support/test_support.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace spectrane {
namespace {

// L = 1600 with 14 points per channel (open: 12 interior + 2 ends; loop: 14 evenly spread).
std::unique_ptr<GradationDocument> makeDocument(int loop) {
    RandomGenerator rng;
    std::vector<CurvePoint> points;
    for (int k = 0; k < 14; ++k) {
        const double x = loop ? 56 + 1600 * (k + 0.5) / 14 : 56 + 1599.0 * k / 13;
        points.push_back({x, randomLevelY(rng)});
    }
    return test::makeDocument(1600, loop ? test::Points::LoopControls : test::Points::OpenControls,
                              points);
}

void BM_EvaluateChannels(benchmark::State& state) {
    auto doc = makeDocument(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        evaluateChannels(*doc);
        benchmark::DoNotOptimize(doc->colorLine[2][1599].y);
    }
}
BENCHMARK(BM_EvaluateChannels)->Arg(0)->Arg(1)->ArgName("loop");

void BM_ReevaluateOpenLocal(benchmark::State& state) {
    auto doc = makeDocument(0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(reevaluateOpenLocal(*doc, 0, 7));
    }
}
BENCHMARK(BM_ReevaluateOpenLocal);

void BM_ReevaluateLoopLocal(benchmark::State& state) {
    auto doc = makeDocument(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(reevaluateLoopLocal(*doc, 0, 0));
    }
}
BENCHMARK(BM_ReevaluateLoopLocal);

void BM_PaintGradation1600x1200(benchmark::State& state) {
    auto doc = makeDocument(0);
    const int direction = static_cast<int>(state.range(0));
    Surface surface(direction & 1 ? 1200 : 1600, direction & 1 ? 1600 : 1200);
    for (auto _ : state) {
        paintGradation(surface, doc->colorLine, 0, 0, 1600, 1200, 0, 1599, direction, {});
        benchmark::DoNotOptimize(surface.data());
    }
}
BENCHMARK(BM_PaintGradation1600x1200)->Arg(0)->Arg(1)->ArgName("direction");

void BM_EncodeBitmap1600x1200(benchmark::State& state) {
    auto doc = makeDocument(0);
    doc->direction = 0;
    for (auto _ : state) {
        auto bytes = encodeBitmap24(renderGradationPicture(*doc, 1200));
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_EncodeBitmap1600x1200)->Unit(benchmark::kMillisecond);

// OKLCh to sRGB for the 1,600 dots of a hue sweep at L 0.7, as a drag repaints them: chroma 0.05
// stays in gamut everywhere; at 0.35 every dot needs the chroma search.
void BM_GamutMapHueSweep1600(benchmark::State& state) {
    const double chroma = static_cast<double>(state.range(0)) / 100.0;
    for (auto _ : state) {
        for (int j = 0; j < 1600; ++j) {
            benchmark::DoNotOptimize(gamutMapToSrgb({0.7, chroma, j * 360.0 / 1600}));
        }
    }
    state.SetItemsProcessed(state.iterations() * 1600);
}
BENCHMARK(BM_GamutMapHueSweep1600)
    ->Arg(5)
    ->Arg(35)
    ->ArgName("chroma%")
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace spectrane
