// Speed of rebuilding the three channel layers and composing the plot for the longest
// gradation: the work of every whole-document refresh and channel switch.
#include "model/random_curves.h"
#include "support/test_support.h"
#include "views/graph_painter.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace spectrane;

// The program's own random curves for L = 1600, with the empty plot drawn.
struct LongestGradation {
    LongestGradation() {
        GradationDocument random;
        random.length = kMaxDots;
        RandomGenerator rng;
        rng.seed(12345);
        newGradationCurves(random, rng);
        doc = test::makeDocument(kMaxDots, test::Points::OpenControls, test::controlsOf(random, 0));
        DrawGraphBackground(*buffers, doc->length);
    }
    std::unique_ptr<GradationDocument> doc;
    std::unique_ptr<GraphBuffers> buffers = std::make_unique<GraphBuffers>();
};

void BM_RebuildLayersAndCompose1600(benchmark::State& state) {
    LongestGradation g;
    const ChannelColors colors = test::channelColorsFor(ColorMode::Rgb);
    for (auto _ : state) {
        RebuildChannelLayers(*g.buffers, *g.doc, colors);
        ComposeGraph(*g.buffers, *g.doc, colors, 0);
        benchmark::DoNotOptimize(g.buffers->mainBuffer.data());
    }
}
BENCHMARK(BM_RebuildLayersAndCompose1600)->Unit(benchmark::kMicrosecond);

void BM_ComposeGraph1600(benchmark::State& state) {
    LongestGradation g;
    const ChannelColors colors = test::channelColorsFor(ColorMode::Rgb);
    RebuildChannelLayers(*g.buffers, *g.doc, colors);
    for (auto _ : state) {
        ComposeGraph(*g.buffers, *g.doc, colors, 0);
        benchmark::DoNotOptimize(g.buffers->mainBuffer.data());
    }
}
BENCHMARK(BM_ComposeGraph1600)->Unit(benchmark::kMicrosecond);

} // namespace
