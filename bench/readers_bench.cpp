// Every gradient reader on large generated inputs of growing size: the time per stop stays
// flat (the fitted complexity is printed as O(N)), and a million SVG stops read in well under
// two seconds. Run with --benchmark_filter=Svg for the SVG alone.
#include "exchange/exchange_format.h"
#include "exchange/gradient_readers.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace spectrane {
namespace {

std::string hex(int i) {
    char b[8];
    std::snprintf(b, sizeof b, "%02x%02x%02x", i * 7 % 256, i * 13 % 256, i * 29 % 256);
    return b;
}

// A file of `n` stops in `format`, each a different colour.
std::string generated(ExchangeFormat format, int n) {
    std::string s;
    const auto pos = [&](int i) { return std::to_string(100.0 * i / (n - 1)); };
    switch (format) {
    case ExchangeFormat::Svg:
        s = "<svg><linearGradient id=\"g\">\n";
        for (int i = 0; i < n; ++i) {
            s += "<stop offset=\"" + pos(i) + "%\" style=\"stop-color:#" + hex(i) + "\"/>\n";
        }
        return s + "</linearGradient></svg>\n";
    case ExchangeFormat::Css:
        s = "a { background: linear-gradient(to right";
        for (int i = 0; i < n; ++i) {
            s += ",\n #" + hex(i) + " " + pos(i) + "%";
        }
        return s + "); }\n";
    case ExchangeFormat::Csv:
        s = "r,g,b\n";
        for (int i = 0; i < n; ++i) {
            s += std::to_string(i * 7 % 256) + "," + std::to_string(i * 13 % 256) + "," +
                 std::to_string(i * 29 % 256) + "\n";
        }
        return s;
    case ExchangeFormat::Ggr:
        s = "GIMP Gradient\nName: g\n" + std::to_string(n) + "\n";
        for (int i = 0; i < n; ++i) {
            const double a = double(i) / n;
            const double b = double(i + 1) / n;
            s += std::to_string(a) + " " + std::to_string((a + b) / 2) + " " + std::to_string(b) +
                 " 0.1 0.2 0.3 1 0.4 0.5 0.6 1 0 0\n";
        }
        return s;
    case ExchangeFormat::Cpt:
        for (int i = 0; i < n; ++i) {
            s += std::to_string(i) + " " + std::to_string(i * 7 % 256) + "/1/2 " +
                 std::to_string(i + 1) + " 3/" + std::to_string(i * 13 % 256) + "/4\n";
        }
        return s;
    case ExchangeFormat::Json:
        s = "[{\"Name\": \"g\", \"RGBPoints\": [";
        for (int i = 0; i < n; ++i) {
            s += (i ? ", " : "") + std::to_string(i) + ", 0.1, 0.2, 0.3";
        }
        return s + "]}]\n";
    default:
        return s;
    }
}

void BM_ReadLarge(benchmark::State& state) {
    const auto format = static_cast<ExchangeFormat>(state.range(0));
    const int n = static_cast<int>(state.range(1));
    const std::string text = generated(format, n);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    for (auto _ : state) {
        const GradientReadResult r = readGradient(format, bytes, {});
        if (!r.gradient) {
            state.SkipWithError(r.error.c_str());
            break;
        }
        benchmark::DoNotOptimize(r.gradient->stops.size());
    }
    state.SetLabel(std::string(formatInfo(format).name));
    state.SetComplexityN(n);
    state.counters["ns_per_stop"] =
        benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}

void formats(benchmark::internal::Benchmark* b) {
    for (const ExchangeFormat f :
         {ExchangeFormat::Svg, ExchangeFormat::Css, ExchangeFormat::Csv, ExchangeFormat::Ggr,
          ExchangeFormat::Cpt, ExchangeFormat::Json}) {
        for (const int n : {25000, 50000, 100000}) { // GIMP reads 10,000 segments at most
            b->Args({static_cast<int>(f), f == ExchangeFormat::Ggr ? n / 10 : n});
        }
    }
}
BENCHMARK(BM_ReadLarge)
    ->Apply(formats)
    ->ArgNames({"format", "stops"})
    ->Unit(benchmark::kMillisecond);

// The million stops of the SVG reader's promise.
void BM_ReadSvgMillion(benchmark::State& state) {
    const std::string text = generated(ExchangeFormat::Svg, 1000000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(readSvgGradient(text).gradient->stops.size());
    }
}
BENCHMARK(BM_ReadSvgMillion)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace spectrane
