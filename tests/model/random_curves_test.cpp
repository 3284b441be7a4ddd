#include "model/random_curves.h"

#include "model/spline.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

TEST(RandomCurves, GeneratorFollowsTheClassicRandSequence) {
    RandomGenerator rng; // the C library's rand() from seed 1
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

// Open curves: m = L / 128 interior points at the centres of m equal parts, and the two ends;
// loop curves: max(m, 1) points at the centres of their parts. Levels are drawn for the first
// point, then the last, then the interior ones.
TEST(RandomCurves, LayoutsPlacePointsAtPartCentres) {
    struct Row {
        int length;
        bool loop;
        std::vector<double> xs;
    };
    const Row rows[] = {
        {512, false, {56, 120, 248, 376, 504, 567}},
        {127, false, {56, 182}},
        {127, true, {56 + 63.5}},
        {1600, true, {}}, // 12 points at 56 + 1600 (k + 0.5) / 12
    };
    for (const Row& r : rows) {
        GradationDocument doc;
        doc.length = r.length;
        doc.loop = r.loop;
        RandomGenerator rng;
        randomizeChannel(doc, 2, rng);
        const ChannelCurve& c = doc.channels[2];
        ASSERT_EQ(c.pointCount, r.xs.empty() ? 12 : static_cast<int>(r.xs.size())) << r.length;
        for (int k = 0; k < c.pointCount; ++k) {
            const double x = r.xs.empty() ? 56 + 1600 * (k + 0.5) / 12 : r.xs[k];
            EXPECT_DOUBLE_EQ(c.controlPoints[k].x, x) << r.length << " point " << k;
        }
        RandomGenerator replay;
        const int n = c.pointCount;
        EXPECT_DOUBLE_EQ(c.controlPoints[0].y, randomLevelY(replay));
        const double second = randomLevelY(replay);
        EXPECT_TRUE(n == 1 || c.controlPoints[r.loop ? 1 : n - 1].y == second);
        EXPECT_TRUE(r.loop || n == 2 || c.controlPoints[1].y == randomLevelY(replay));
    }
    // One loop point: flat at its whole level.
    GradationDocument one;
    one.length = 127;
    one.loop = true;
    RandomGenerator rng;
    randomizeChannel(one, 0, rng);
    deriveAnchors(one, 0);
    evaluateChannels(one);
    for (int j = 0; j < 127; ++j) {
        ASSERT_EQ(one.colorLine[0][j].y, static_cast<int>(one.channels[0].controlPoints[0].y));
    }
}

bool sameCurve(const ChannelCurve& a, const ChannelCurve& b) {
    return a.pointCount == b.pointCount && a.controlPoints == b.controlPoints;
}

TEST(RandomCurves, SynchroCopiesTheLowestCheckedChannel) {
    GradationDocument doc;
    doc.synchro = true;
    doc.synchroChannels = {false, true, true};
    RandomGenerator rng;
    newGradationCurves(doc, rng);
    EXPECT_TRUE(sameCurve(doc.channels[1], doc.channels[2]));
    EXPECT_FALSE(sameCurve(doc.channels[0], doc.channels[1]));
    doc.synchroChannels = {true, false, true};
    newGradationCurves(doc, rng);
    EXPECT_TRUE(sameCurve(doc.channels[0], doc.channels[2]));
    EXPECT_FALSE(sameCurve(doc.channels[0], doc.channels[1]));

    // Checked channels but synchro off: all random, exactly two draws per point (3 x 6).
    GradationDocument off;
    off.synchroChannels = {true, true, true};
    RandomGenerator r1;
    newGradationCurves(off, r1);
    EXPECT_FALSE(sameCurve(off.channels[0], off.channels[1]));
    EXPECT_FALSE(sameCurve(off.channels[1], off.channels[2]));
    RandomGenerator r2;
    for (int i = 0; i < 3 * 6 * 2; ++i) {
        r2.next();
    }
    EXPECT_EQ(r1.state, r2.state);
}

} // namespace
} // namespace spectrane
