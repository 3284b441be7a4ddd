// Speed of the exchange of gradations: the fewest stops and the colour-table export, the curve
// fitting of an import, and the streamed pictures against the one built whole. Run with
// --benchmark_repetitions=5 --benchmark_report_aggregates_only=true for medians.
#include "exchange/color_table_export.h"
#include "exchange/fewest_stops.h"
#include "exchange/gradient_import.h"
#include "files/bitmap_file.h"
#include "files/gradation_picture.h"
#include "model/random_curves.h"
#include "model/spline.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace spectrane {
namespace {

// L = 1600 with 14 points per channel, as the other benchmarks make it.
std::unique_ptr<GradationDocument> makeDocument(bool loop) {
    auto doc = std::make_unique<GradationDocument>();
    doc->length = 1600;
    doc->loop = loop;
    doc->direction = 0;
    RandomGenerator rng;
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        ChannelCurve& c = doc->channels[ch];
        c.pointCount = 14;
        for (int k = 0; k < 14; ++k) {
            const double x = loop ? 56 + 1600 * (k + 0.5) / 14 : 56 + 1599.0 * k / 13;
            c.controlPoints[k] = {x, randomLevelY(rng)};
        }
        deriveAnchors(*doc, ch);
    }
    evaluateChannels(*doc);
    return doc;
}

void BM_FewestStops(benchmark::State& state) {
    const std::vector<Rgb8> colors = documentColors(*makeDocument(false));
    for (auto _ : state) {
        benchmark::DoNotOptimize(fewestStops(colors, static_cast<int>(state.range(0))).size());
    }
}
BENCHMARK(BM_FewestStops)->Arg(0)->Arg(1)->Arg(2)->ArgName("T")->Unit(benchmark::kMillisecond);

// The worst case of the search: one colour throughout, no segment ever ruled out.
void BM_FewestStopsFlat(benchmark::State& state) {
    const std::vector<Rgb8> colors(1600, Rgb8{10, 20, 30});
    for (auto _ : state) {
        benchmark::DoNotOptimize(fewestStops(colors, 0).size());
    }
}
BENCHMARK(BM_FewestStopsFlat)->Unit(benchmark::kMillisecond);

void BM_ExportColorTable(benchmark::State& state) {
    const auto doc = makeDocument(false);
    const auto format = static_cast<ExchangeFormat>(state.range(0));
    state.SetLabel(std::string(formatInfo(format).name));
    for (auto _ : state) {
        benchmark::DoNotOptimize(exportColorTable(*doc, format, {1, "bench"}).size());
    }
}
BENCHMARK(BM_ExportColorTable)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

void BM_FitCurves(benchmark::State& state) {
    const bool loop = state.range(0) != 0;
    const std::vector<Rgb8> colors = documentColors(*makeDocument(loop));
    for (auto _ : state) {
        benchmark::DoNotOptimize(fitCurves(colors, 1, loop, 0).document.get());
    }
}
BENCHMARK(BM_FitCurves)->Arg(0)->Arg(1)->ArgName("loop")->Unit(benchmark::kMillisecond);

// A whole import of a 1600-row CSV: reading, sampling and fitting.
void BM_ImportCsv(benchmark::State& state) {
    const std::string csv = exportColorTable(*makeDocument(false), ExchangeFormat::Csv, {});
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(csv.data()),
                                              csv.size());
    for (auto _ : state) {
        benchmark::DoNotOptimize(importGradient("bench.csv", bytes, {}).document.get());
    }
}
BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond);

// The 1600 x 1200 picture streamed to a sink that only counts, against building it whole.
void BM_StreamPicture(benchmark::State& state) {
    auto doc = makeDocument(false);
    doc->direction = static_cast<int>(state.range(1));
    const auto format = static_cast<PictureFormat>(state.range(0));
    for (auto _ : state) {
        std::size_t bytes = 0;
        encodeGradationPicture(*doc, 1200, format, [&](std::span<const std::uint8_t> b) {
            bytes += b.size();
            return true;
        });
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_StreamPicture)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"png", "direction"})
    ->Unit(benchmark::kMillisecond);

void BM_WholeBitmap(benchmark::State& state) {
    auto doc = makeDocument(false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(encodeBitmap24(renderGradationPicture(*doc, 1200)).data());
    }
}
BENCHMARK(BM_WholeBitmap)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace spectrane
