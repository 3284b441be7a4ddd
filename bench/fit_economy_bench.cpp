// The curve fit's economy and speed over the fixed set of inputs the fit's test bounds: the
// counters give the points used in all three channels of every input (and per input with
// --benchmark_filter=FitEach), and how many channels missed their tolerance. A change that needs
// many more points shows here before the test's bound is reached.
#include "exchange/curve_fit.h"
#include "support/fit_inputs.h"

#include <benchmark/benchmark.h>

namespace spectrane {
namespace {

struct Tally {
    int points = 0;
    int missed = 0;
};

Tally fitOne(const test::FitInput& in) {
    const CurveFit fit = fitCurves(in.colors, in.tolerance, in.loop, 0);
    Tally t;
    for (const ChannelFit& ch : fit.channels) {
        t.points += ch.points;
        t.missed += ch.reached ? 0 : 1;
    }
    return t;
}

void BM_FitEconomy(benchmark::State& state) {
    const std::vector<test::FitInput> inputs = test::fitInputs();
    Tally total;
    for (auto _ : state) {
        total = {};
        for (const test::FitInput& in : inputs) {
            const Tally t = fitOne(in);
            total.points += t.points;
            total.missed += t.missed;
        }
    }
    state.counters["points"] = total.points;
    state.counters["missed"] = total.missed;
}
BENCHMARK(BM_FitEconomy)->Unit(benchmark::kMillisecond);

void BM_FitEach(benchmark::State& state) {
    const test::FitInput in = test::fitInputs()[static_cast<std::size_t>(state.range(0))];
    Tally t;
    for (auto _ : state) {
        t = fitOne(in);
    }
    state.SetLabel(in.name);
    state.counters["points"] = t.points;
    state.counters["missed"] = t.missed;
}
BENCHMARK(BM_FitEach)->DenseRange(0, 13)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace spectrane
