#include "model/random_curves.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

// The C library's rand() from seed 1; fractions from two draws; levels in (64, 320].
TEST(RandomCurves, GeneratorFollowsTheClassicRandSequence) {
    RandomGenerator rng;
    for (const int e : {16838, 5758, 10113, 17515, 31051, 5627, 23010, 7419}) {
        EXPECT_EQ(rng.next(), e);
    }
    RandomGenerator again;
    EXPECT_DOUBLE_EQ(randomFraction(again), (16838 * 5758 % 100000) / 100000.0);
    EXPECT_DOUBLE_EQ(randomLevelY(again), 320.0 - 256.0 * ((10113 * 17515 % 100000) / 100000.0));
    RandomGenerator wide;
    wide.seed(0xffffffffu);
    EXPECT_EQ(wide.next(), 15929); // (2^32 - 1) * 1103515245 + 12345, bits 16..30
    for (int i = 0; i < 10000; ++i) {
        const double y = randomLevelY(wide);
        ASSERT_TRUE(y > 64.0 && y <= 320.0) << y;
    }
}

// Open: m = L / 128 points at the centres of m equal parts, between the two ends; loop: max(m,
// 1) points at the part centres. Levels are drawn for the first point, the last, the others.
TEST(RandomCurves, LayoutsPlacePointsAtPartCentres) {
    const std::tuple<int, bool, std::vector<double>> rows[] = {
        {512, false, {56, 120, 248, 376, 504, 567}},
        {127, false, {56, 182}},
        {127, true, {119.5}},
        {1600, true, {}}, // 12 points at 56 + 1600 (k + 0.5) / 12
    };
    for (const auto& [length, loop, xs] : rows) {
        GradationDocument doc;
        doc.length = length;
        doc.loop = loop;
        RandomGenerator rng;
        randomizeChannel(doc, 2, rng);
        const auto c = test::controlsOf(doc, 2);
        ASSERT_EQ(c.size(), length == 1600 ? 12u : xs.size()) << length;
        for (std::size_t k = 0; k < c.size(); ++k) {
            EXPECT_DOUBLE_EQ(c[k].x, length == 1600 ? 56 + 1600 * (k + 0.5) / 12 : xs[k]) << k;
        }
        RandomGenerator replay;
        EXPECT_EQ(c[0].y, randomLevelY(replay)) << length;
        const double second = randomLevelY(replay);
        EXPECT_TRUE(c.size() == 1 || c[loop ? 1 : c.size() - 1].y == second) << length;
        EXPECT_TRUE(loop || c.size() == 2 || c[1].y == randomLevelY(replay)) << length;
    }
}

TEST(RandomCurves, SynchroCopiesTheLowestCheckedChannel) {
    const auto same = [](const ChannelCurve& a, const ChannelCurve& b) {
        return a.pointCount == b.pointCount && a.controlPoints == b.controlPoints;
    };
    GradationDocument doc;
    doc.synchro = true;
    RandomGenerator rng;
    for (const std::array<bool, 3> flags : {std::array{false, true, true}, {true, false, true}}) {
        doc.synchroChannels = flags;
        newGradationCurves(doc, rng);
        const int lowest = flags[0] ? 0 : 1;
        EXPECT_TRUE(same(doc.channels[lowest], doc.channels[2]));
        EXPECT_FALSE(same(doc.channels[0], doc.channels[1]));
    }
    // Checked channels but synchro off: all random, exactly two draws per point (3 x 6).
    doc.synchro = false;
    doc.synchroChannels = {true, true, true};
    RandomGenerator r1, r2;
    newGradationCurves(doc, r1);
    EXPECT_FALSE(same(doc.channels[0], doc.channels[1]) || same(doc.channels[1], doc.channels[2]));
    for (int i = 0; i < 3 * 6 * 2; ++i) {
        r2.next();
    }
    EXPECT_EQ(r1.state, r2.state);
}

} // namespace
} // namespace spectrane
