// Speed of the analysis window's work after each change: the whole analysis of the longest
// gradation (which must stay well under 2 ms), and drawing its picture.
#include "analysis/analyzer.h"
#include "analysis/even_steps.h"
#include "model/gradation_render.h"
#include "model/random_curves.h"
#include "model/spline.h"
#include "views/analysis_picture.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace spectrane {
namespace {

class NullTextRenderer : public TextRenderer {
public:
    void drawText(Surface&, int, int, std::string_view, const TextStyle&) override {}
    TextExtent measureText(std::string_view text, const TextStyle& style) override {
        return {static_cast<int>(text.size()) * 7, style.pixelHeight};
    }
};

std::unique_ptr<GradationDocument> longestGradation(bool loop) {
    auto doc = std::make_unique<GradationDocument>();
    doc->length = kMaxDots;
    doc->loop = loop;
    RandomGenerator rng;
    rng.seed(12345);
    newGradationCurves(*doc, rng);
    for (ChannelIndex c = 0; c < kChannelCount; ++c) {
        deriveAnchors(*doc, c);
    }
    evaluateChannels(*doc);
    return doc;
}

void BM_Analyze1600(benchmark::State& state) {
    const auto doc = longestGradation(state.range(0) != 0);
    const Analyzer analyzer;
    auto analysis = std::make_unique<GradationAnalysis>();
    for (auto _ : state) {
        analyzer.analyze(*doc, *analysis);
        benchmark::DoNotOptimize(analysis->deltaEMean);
    }
}
BENCHMARK(BM_Analyze1600)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_DrawAnalysisPicture1600(benchmark::State& state) {
    const auto doc = longestGradation(true);
    const Analyzer analyzer;
    auto analysis = std::make_unique<GradationAnalysis>();
    analyzer.analyze(*doc, *analysis);
    Surface surface(kAnalysisPictureMaxWidth, kAnalysisPictureHeight);
    NullTextRenderer text;
    for (auto _ : state) {
        DrawAnalysisPicture(surface, *analysis, text);
        benchmark::DoNotOptimize(surface.data());
    }
}
BENCHMARK(BM_DrawAnalysisPicture1600)->Unit(benchmark::kMicrosecond);

void BM_CreateAnalyzer(benchmark::State& state) {
    for (auto _ : state) {
        const Analyzer analyzer;
        benchmark::DoNotOptimize(&analyzer);
    }
}
BENCHMARK(BM_CreateAnalyzer)->Unit(benchmark::kMicrosecond);

// "Even out perceptual steps" on the longest random gradation, by either metric (a command,
// run once per use).
void BM_EvenOutSteps1600(benchmark::State& state) {
    const auto doc = longestGradation(false);
    const Analyzer analyzer;
    std::vector<Color> colors(kMaxDots);
    for (int j = 0; j < kMaxDots; ++j) {
        colors[j] = mixedColor(doc->colorLine, j, {});
    }
    const auto metric = state.range(0) != 0 ? StepMetric::Oklab : StepMetric::Ciede2000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(evenOutSteps(analyzer, colors, false, metric));
    }
}
BENCHMARK(BM_EvenOutSteps1600)->Arg(0)->Arg(1)->ArgName("oklab")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace spectrane
