#include "model/random_curves.h"

#include "model/spline.h"

#include <gtest/gtest.h>

#include <cmath>

namespace spectrane {
namespace {

TEST(RandomCurves, GeneratorFollowsTheClassicSequenceFromStateOne) {
    RandomGenerator rng;
    const int expected[] = {16838, 5758, 10113, 17515, 31051, 5627, 23010, 7419};
    for (int e : expected) {
        EXPECT_EQ(rng.next(), e);
    }
    RandomGenerator again;
    EXPECT_DOUBLE_EQ(randomFraction(again), (16838 * 5758 % 100000) / 100000.0);
    EXPECT_DOUBLE_EQ(randomLevelY(again), 320.0 - 256.0 * ((10113 * 17515 % 100000) / 100000.0));

    RandomGenerator a;
    RandomGenerator b;
    a.seed(123456789);
    b.seed(123456789);
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(a.next(), b.next());
    }
    RandomGenerator wide;
    wide.seed(0xffffffffu);
    for (int i = 0; i < 10000; ++i) {
        const double y = randomLevelY(wide);
        ASSERT_GT(y, 64.0);
        ASSERT_LE(y, 320.0);
    }
}

TEST(RandomCurves, OpenLayoutsPlaceInteriorPointsAtPartCentres) {
    RandomGenerator rng;
    GradationDocument doc;
    doc.length = 512;
    randomizeChannel(doc, 0, rng);
    const ChannelCurve& c = doc.channels[0];
    ASSERT_EQ(c.pointCount, 6);
    const double xs[] = {56, 120, 248, 376, 504, 567};
    for (int i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(c.controlPoints[i].x, xs[i]);
    }
    // The last point's level is drawn second, before the interior ones.
    RandomGenerator replay;
    const double y0 = randomLevelY(replay);
    const double yLast = randomLevelY(replay);
    const double y1 = randomLevelY(replay);
    EXPECT_DOUBLE_EQ(c.controlPoints[0].y, y0);
    EXPECT_DOUBLE_EQ(c.controlPoints[5].y, yLast);
    EXPECT_DOUBLE_EQ(c.controlPoints[1].y, y1);

    doc.length = 127;
    randomizeChannel(doc, 1, rng);
    EXPECT_EQ(doc.channels[1].pointCount, 2);
    EXPECT_DOUBLE_EQ(doc.channels[1].controlPoints[1].x, 56 + 126);
}

TEST(RandomCurves, LoopLayouts) {
    RandomGenerator rng;
    GradationDocument doc;
    doc.loop = 1;
    doc.length = 1600;
    randomizeChannel(doc, 2, rng);
    ASSERT_EQ(doc.channels[2].pointCount, 12);
    for (int k = 0; k < 12; ++k) {
        EXPECT_DOUBLE_EQ(doc.channels[2].controlPoints[k].x, 56 + 1600 * (k + 0.5) / 12);
    }
    doc.length = 127;
    randomizeChannel(doc, 0, rng);
    ASSERT_EQ(doc.channels[0].pointCount, 1);
    EXPECT_DOUBLE_EQ(doc.channels[0].controlPoints[0].x, 56 + 63.5);
    deriveAnchors(doc, 0);
    evaluateChannels(doc);
    const int flat = doc.colorLine[0][0].y;
    for (int j = 0; j < 127; ++j) {
        ASSERT_EQ(doc.colorLine[0][j].y, flat);
    }
    EXPECT_EQ(flat, static_cast<int>(doc.channels[0].controlPoints[0].y));
}

bool sameCurve(const ChannelCurve& a, const ChannelCurve& b) {
    if (a.pointCount != b.pointCount) {
        return false;
    }
    for (int i = 0; i < a.pointCount; ++i) {
        if (!(a.controlPoints[i] == b.controlPoints[i])) {
            return false;
        }
    }
    return true;
}

TEST(RandomCurves, SynchroCopiesTheLowestCheckedChannel) {
    GradationDocument doc;
    doc.length = 512;
    doc.synchro = 1;
    doc.synchroChannels = {0, 1, 1};
    RandomGenerator rng;
    newGradationCurves(doc, rng);
    EXPECT_TRUE(sameCurve(doc.channels[1], doc.channels[2]));
    EXPECT_FALSE(sameCurve(doc.channels[0], doc.channels[1]));
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        deriveAnchors(doc, ch);
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(doc.channels[1].anchorPoints[i], doc.channels[2].anchorPoints[i]);
    }

    doc.synchroChannels = {1, 0, 1};
    newGradationCurves(doc, rng);
    EXPECT_TRUE(sameCurve(doc.channels[0], doc.channels[2]));

    // Checked channels but synchro off: all random, and exactly two draws per open point.
    GradationDocument off;
    off.synchroChannels = {1, 1, 1};
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
