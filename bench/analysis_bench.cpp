// Speed of the analysis window's work after each change: the whole analysis of the longest
// gradation (which must stay well under 2 ms), and drawing its picture.
#include "analysis/analyzer.h"
#include "model/random_curves.h"
#include "model/spline.h"
#include "views/analysis_picture.h"

#include <benchmark/benchmark.h>

#include <memory>

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

} // namespace
} // namespace spectrane
