#include "analysis/analyzer.h"
#include "model/oklab.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <utility>
#include <vector>

namespace spectrane {
namespace {

using test::dotsDocument;

const Analyzer& analyzer() {
    static const Analyzer a;
    return a;
}

TEST(Analyzer, Ciede2000MatchesTheSharmaWuDalalPairs) {
    // G. Sharma, W. Wu, E. N. Dalal, Color Research and Application 30(1), 2005, Table 1.
    const double pairs[34][7] = {{50.0000, 2.6772, -79.7751, 50.0000, 0.0000, -82.7485, 2.0425},
                                 {50.0000, 3.1571, -77.2803, 50.0000, 0.0000, -82.7485, 2.8615},
                                 {50.0000, 2.8361, -74.0200, 50.0000, 0.0000, -82.7485, 3.4412},
                                 {50.0000, -1.3802, -84.2814, 50.0000, 0.0000, -82.7485, 1.0000},
                                 {50.0000, -1.1848, -84.8006, 50.0000, 0.0000, -82.7485, 1.0000},
                                 {50.0000, -0.9009, -85.5211, 50.0000, 0.0000, -82.7485, 1.0000},
                                 {50.0000, 0.0000, 0.0000, 50.0000, -1.0000, 2.0000, 2.3669},
                                 {50.0000, -1.0000, 2.0000, 50.0000, 0.0000, 0.0000, 2.3669},
                                 {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0009, 7.1792},
                                 {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0010, 7.1792},
                                 {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0011, 7.2195},
                                 {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0012, 7.2195},
                                 {50.0000, -0.0010, 2.4900, 50.0000, 0.0009, -2.4900, 4.8045},
                                 {50.0000, -0.0010, 2.4900, 50.0000, 0.0010, -2.4900, 4.8045},
                                 {50.0000, -0.0010, 2.4900, 50.0000, 0.0011, -2.4900, 4.7461},
                                 {50.0000, 2.5000, 0.0000, 50.0000, 0.0000, -2.5000, 4.3065},
                                 {50.0000, 2.5000, 0.0000, 73.0000, 25.0000, -18.0000, 27.1492},
                                 {50.0000, 2.5000, 0.0000, 61.0000, -5.0000, 29.0000, 22.8977},
                                 {50.0000, 2.5000, 0.0000, 56.0000, -27.0000, -3.0000, 31.9030},
                                 {50.0000, 2.5000, 0.0000, 58.0000, 24.0000, 15.0000, 19.4535},
                                 {50.0000, 2.5000, 0.0000, 50.0000, 3.1736, 0.5854, 1.0000},
                                 {50.0000, 2.5000, 0.0000, 50.0000, 3.2972, 0.0000, 1.0000},
                                 {50.0000, 2.5000, 0.0000, 50.0000, 1.8634, 0.5757, 1.0000},
                                 {50.0000, 2.5000, 0.0000, 50.0000, 3.2592, 0.3350, 1.0000},
                                 {60.2574, -34.0099, 36.2677, 60.4626, -34.1751, 39.4387, 1.2644},
                                 {63.0109, -31.0961, -5.8663, 62.8187, -29.7946, -4.0864, 1.2630},
                                 {61.2901, 3.7196, -5.3901, 61.4292, 2.2480, -4.9620, 1.8731},
                                 {35.0831, -44.1164, 3.7933, 35.0232, -40.0716, 1.5901, 1.8645},
                                 {22.7233, 20.0904, -46.6940, 23.0331, 14.9730, -42.5619, 2.0373},
                                 {36.4612, 47.8580, 18.3852, 36.2715, 50.5065, 21.2231, 1.4146},
                                 {90.8027, -2.0831, 1.4410, 91.1528, -1.6435, 0.0447, 1.4441},
                                 {90.9257, -0.5406, -0.9208, 88.6381, -0.8985, -0.7239, 1.5381},
                                 {6.7747, -0.2908, -2.4247, 5.8714, -0.0985, -2.2286, 0.6377},
                                 {2.0776, 0.0795, -1.1350, 0.9033, -0.0636, -0.5514, 0.9082}};
    for (const auto& p : pairs) {
        const LabColor one{p[0], p[1], p[2]};
        const LabColor two{p[3], p[4], p[5]};
        EXPECT_NEAR(deltaE2000(one, two), p[6], 0.00005) << p[0] << " " << p[1] << " " << p[2];
        EXPECT_NEAR(deltaE2000(two, one), p[6], 0.00005);
    }
    EXPECT_EQ(deltaE2000({50, 0, 0}, {50, 0, 0}), 0.0);
}

TEST(Analyzer, LabOfKnownColoursAgainstD65WithoutAdaptation) {
    // Published sRGB values (D65, not adapted: adapted to D50, red would read 54.29, 80.80,
    // 69.89), white, black, and the mid grey of L* 50.
    const std::pair<Color, LabColor> rows[] = {
        {rgb(255, 255, 255), {100, 0, 0}},        {rgb(0, 0, 0), {0, 0, 0}},
        {rgb(119, 119, 119), {50.03, 0, 0}},      {rgb(255, 0, 0), {53.24, 80.09, 67.20}},
        {rgb(0, 255, 0), {87.73, -86.18, 83.18}}, {rgb(0, 0, 255), {32.30, 79.19, -107.86}}};
    for (const auto& [color, want] : rows) {
        const LabColor lab = analyzer().toLab(color);
        EXPECT_LT(std::hypot(lab.l - want.l, lab.a - want.a, lab.b - want.b), 0.01) << color;
    }
}

TEST(Analyzer, DeficienciesAndGreyAgainstTheMatricesAppliedByHand) {
    // Machado, Oliveira, Fernandes 2009, severity 1.0, on linear light, worked out by hand:
    // protanopia red is (0.152286, 0.114503, -0.003882) linear, which encodes to (109, 95, 0).
    struct Row {
        Color in;
        Deficiency d;
        Color out;
    };
    const Row rows[] = {{rgb(255, 0, 0), Deficiency::Protanopia, rgb(109, 95, 0)},
                        {rgb(0, 255, 0), Deficiency::Protanopia, rgb(255, 229, 0)},
                        {rgb(0, 0, 255), Deficiency::Protanopia, rgb(0, 89, 255)},
                        {rgb(255, 0, 0), Deficiency::Deuteranopia, rgb(163, 144, 0)},
                        {rgb(0, 255, 0), Deficiency::Deuteranopia, rgb(239, 214, 58)},
                        {rgb(0, 0, 255), Deficiency::Deuteranopia, rgb(0, 61, 251)},
                        {rgb(255, 0, 0), Deficiency::Tritanopia, rgb(255, 0, 15)},
                        {rgb(0, 255, 0), Deficiency::Tritanopia, rgb(0, 247, 217)},
                        {rgb(0, 0, 255), Deficiency::Tritanopia, rgb(0, 107, 150)}};
    for (const Row& r : rows) {
        EXPECT_EQ(analyzer().simulate(r.in, r.d), r.out) << std::hex << r.in;
    }
    for (int v = 0; v < 256; ++v) {
        // Each row of the matrices sums to 1, so greys stay themselves; a grey is the grey of
        // its own L*; encoding undoes decoding.
        EXPECT_EQ(analyzer().simulate(rgb(v, v, v), Deficiency::Deuteranopia), rgb(v, v, v));
        EXPECT_EQ(analyzer().greyOfLuminance(analyzer().toXyz(rgb(v, v, v)).y), rgb(v, v, v));
        EXPECT_EQ(analyzer().encode(analyzer().linearOf(v)), v);
    }
}

std::unique_ptr<GradationAnalysis> analysed(const GradationDocument& doc) {
    auto a = std::make_unique<GradationAnalysis>();
    analyzer().analyze(doc, *a);
    return a;
}

std::vector<int> markedDots(std::span<const bool> marks) {
    std::vector<int> dots;
    for (std::size_t j = 0; j < marks.size(); ++j) {
        if (marks[j]) {
            dots.push_back(static_cast<int>(j));
        }
    }
    return dots;
}

Color grey(int v) {
    return rgb(v, v, v);
}

// The nearest level to a share t (0..1) of the way from a to b.
int between(int a, int b, double t) {
    return static_cast<int>(std::lround(a + (b - a) * t));
}

// Banding a person would see, on gradations whose answer is known by construction: 8-bit ramps
// and straight lines are smooth, a 10-level step is one jump, 200 equal dots are one band.
TEST(GradationAnalysis, JumpsAndBandsAreWhatAPersonWouldSee) {
    struct Row {
        const char* name;
        int length;
        std::function<Color(int)> colour;
        std::vector<int> jumps;
        // The band's first and last dot, give or take the flat run's neighbouring level (at most
        // 7 dots); empty = no band.
        std::vector<int> band;
    };
    const auto line = [](int length, Color a, Color b) {
        return [=](int j) {
            const double t = j / (length - 1.0);
            return rgb(between(redOf(a), redOf(b), t), between(greenOf(a), greenOf(b), t),
                       between(blueOf(a), blueOf(b), t));
        };
    };
    const auto ramp = [line](int length, int top) { return line(length, 0, grey(top)); };
    const auto stepped = [ramp](int length, int at, int by = 10) {
        // 0..255 - by with `by` levels added from dot at + 1 on: one step of `by` levels at dot at.
        return
            [r = ramp(length, 255 - by), at, by](int j) { return r(j) + (j > at ? grey(by) : 0); };
    };
    const Row rows[] = {
        {"ramp 256", 256, ramp(256, 255), {}, {}},
        {"ramp 1600", 1600, ramp(1600, 255), {}, {}},
        {"step 512", 512, stepped(512, 37), {37}, {}},
        {"step 1600", 1600, stepped(1600, 1200), {1200}, {}},
        // Two levels at mid grey are under 1 ΔE00: visible as a step, not as a jump.
        {"2-level step 1600", 1600, stepped(1600, 800, 2), {}, {}},
        {"red to blue", 1600, line(1600, rgb(255, 0, 0), rgb(0, 0, 255)), {}, {}},
        {"green to pink", 300, line(300, rgb(20, 200, 40), rgb(240, 30, 180)), {}, {}},
        {"black to white in 8", 8, line(8, rgb(0, 0, 0), rgb(255, 255, 255)), {}, {}},
        {"flat run",
         1600,
         [r = ramp(1400, 255)](int j) { return j < 700 ? r(j) : (j < 900 ? r(699) : r(j - 200)); },
         {},
         {700, 899}},
    };
    for (const Row& row : rows) {
        const auto a = analysed(*dotsDocument(row.length, row.colour));
        const auto l = static_cast<std::size_t>(row.length);
        EXPECT_EQ(markedDots(std::span(a->jump).first(l)), row.jumps) << row.name;
        EXPECT_EQ(a->jumpCount, static_cast<int>(row.jumps.size())) << row.name;
        const auto band = markedDots(std::span(a->band).first(l));
        EXPECT_EQ(a->bandCount, row.band.empty() ? 0 : 1) << row.name;
        if (!row.band.empty()) {
            ASSERT_FALSE(band.empty()) << row.name;
            const int from = band.front(), to = band.back();
            EXPECT_TRUE(from <= row.band[0] && from > row.band[0] - 7) << from;
            EXPECT_TRUE(to >= row.band[1] && to < row.band[1] + 7) << to;
            EXPECT_EQ(band.size(), static_cast<std::size_t>(to - from + 1)); // one run
            EXPECT_EQ(a->uniformity, 0.0) << row.name; // it stands still there
        }
    }
}

// Black to white is one step of exactly 100 ΔE00 (ΔL* 100 at mean L* 50, where SL is 1); a
// loop's seam is the step from its last dot back to its first.
TEST(GradationAnalysis, SummaryFiguresOnWorkedExamples) {
    const auto open = analysed(*dotsDocument(2, [](int j) { return grey(255 * j); }));
    EXPECT_NEAR(open->deltaEMean, 100.0, 0.01);
    const auto loop = analysed(*dotsDocument(
        3, [](int j) { return grey(j == 2 ? 255 : 0); }, true));
    EXPECT_NEAR(loop->step[2], 100.0, 0.01);
    // OKLCh: 30 dots far outside sRGB (L 0.59, C 0.4) and 10 inside (C 0.016), counted; the
    // analysis sees the mapped colours the gradation shows.
    auto lch = test::flatLevels(40, 150, 255, 60);
    lch->mode = ColorMode::Oklch;
    for (int j = 30; j < 40; ++j) {
        lch->colorLine[1][j].y = CanvasGeometry::levelY(10);
    }
    const auto mapped = analysed(*lch);
    EXPECT_EQ(mapped->gamutMappedCount, 30);
    EXPECT_EQ(mapped->displayed[0], gamutMapToSrgb({150 / 255.0, 0.4, 60 / 255.0 * 360}).color);
    EXPECT_EQ(open->gamutMappedCount, 0);
}

// The uniformity figure on speeds known by hand: even steps, a smoothed 0/1 comb (wrapping round
// in a loop) and a gradation that never changes are 1; a still stretch is 0.
TEST(GradationAnalysis, UniformityIsTheSlowestOverTheFastestSmoothedSpeed) {
    struct Row {
        const char* name;
        std::vector<double> steps;
        bool loop;
        double low;
        double high;
    };
    std::vector<double> comb(400);
    for (std::size_t j = 0; j < comb.size(); ++j) {
        comb[j] = j % 2 == 0 ? 0.0 : 1.0;
    }
    std::vector<double> halves(400, 0.5);
    std::fill(halves.begin() + 200, halves.end(), 1.0);
    std::vector<double> still(400, 0.5);
    std::fill(still.begin() + 100, still.begin() + 140, 0.0);
    const Row rows[] = {{"even", std::vector<double>(100, 0.7), false, 1.0, 1.0},
                        {"comb", comb, false, 0.95, 1.0},
                        {"comb loop", comb, true, 0.95, 1.0},
                        {"half as fast", halves, false, 0.5, 0.5},
                        {"still", still, false, 0.0, 0.0},
                        {"never changes", std::vector<double>(50, 0.0), true, 1.0, 1.0}};
    for (const Row& row : rows) {
        std::vector<double> speed(row.steps.size());
        perceptualSpeed(row.steps, row.loop, speed);
        const double u = uniformityOf(speed);
        EXPECT_GE(u, row.low - 1e-12) << row.name;
        EXPECT_LE(u, row.high + 1e-12) << row.name;
    }
}

// Rotating a loop's period moves its reversal marks with it; a sine at any phase turns twice.
TEST(GradationAnalysis, LoopReversalsDoNotDependOnWhereThePeriodStarts) {
    const auto rotated = [](const GradationDocument& doc, int by) {
        auto r = std::make_unique<GradationDocument>(doc);
        for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
            for (int j = 0; j < doc.length; ++j) {
                r->colorLine[ch][j].y = doc.colorLine[ch][(j + by) % doc.length].y;
            }
        }
        return r;
    };
    std::mt19937 rng(2026);
    for (int trial = 0; trial < 40; ++trial) {
        const int length = std::uniform_int_distribution(20, 1600)(rng);
        const auto doc = test::randomDocument(length, rng(), true);
        const auto a = analysed(*doc);
        EXPECT_EQ(a->reversalCount % 2, 0) << trial;
        const int by = std::uniform_int_distribution(1, length - 1)(rng);
        const auto b = analysed(*rotated(*doc, by));
        ASSERT_EQ(b->reversalCount, a->reversalCount) << trial << " by " << by;
        for (int j = 0; j < length; ++j) {
            ASSERT_EQ(b->reversal[j], a->reversal[(j + by) % length]) << trial << " dot " << j;
        }
    }
    for (const double phase : {0.0, 2.1, 4.2}) {
        const auto sine = dotsDocument(
            360,
            [phase](int j) {
                return grey(between(40, 200, 0.5 + 0.5 * std::sin(phase + j * M_PI / 180)));
            },
            true);
        EXPECT_EQ(analysed(*sine)->reversalCount, 2) << phase;
    }
}

} // namespace
} // namespace spectrane
