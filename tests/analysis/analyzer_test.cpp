#include "analysis/analyzer.h"

#include <gtest/gtest.h>

#include <utility>

namespace spectrane {
namespace {

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
        EXPECT_NEAR(lab.l, want.l, 0.01) << std::hex << color;
        EXPECT_NEAR(lab.a, want.a, 0.01) << std::hex << color;
        EXPECT_NEAR(lab.b, want.b, 0.01) << std::hex << color;
    }
}

TEST(Analyzer, DeficienciesAndGreyAgainstTheMatricesAppliedByHand) {
    // Machado, Oliveira, Fernandes 2009, severity 1.0, on linear light; the primaries worked
    // out by hand with the textbook curve: protanopia red is (0.152286, 0.114503, -0.003882)
    // in linear light, which encodes to (109, 95, 0).
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

} // namespace
} // namespace spectrane
