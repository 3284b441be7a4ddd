#include "transforms/loop_change.h"

#include "model/curve_rebuild.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

std::unique_ptr<GradationDocument> loopDocument(int length, std::vector<CurvePoint> points) {
    auto doc = std::make_unique<GradationDocument>();
    doc->length = length;
    doc->loop = 1;
    for (ChannelCurve& c : doc->channels) {
        c.pointCount = static_cast<int>(points.size());
        std::copy(points.begin(), points.end(), c.controlPoints.begin());
    }
    rebuildAllCurves(*doc);
    return doc;
}

std::vector<CurvePoint> controls(const GradationDocument& doc, ChannelIndex ch) {
    const ChannelCurve& c = doc.channels[ch];
    return {c.controlPoints.begin(), c.controlPoints.begin() + c.pointCount};
}

double curveY(const GradationDocument& doc, ChannelIndex ch, int dot) {
    return doc.colorLine[ch][dot].y;
}

TEST(LoopChange, OnKeepsEveryPointAndRepeatedSwitchDoesNothing) {
    auto doc = test::openDocumentFromAnchors(512, {{56, 300}, {200, 100}, {567, 200}});
    const auto before = controls(*doc, 0);
    EXPECT_FALSE(setLoop(*doc, 0));
    EXPECT_TRUE(setLoop(*doc, 1));
    EXPECT_EQ(doc->loop, 1);
    EXPECT_EQ(controls(*doc, 0), before);
    EXPECT_FALSE(setLoop(*doc, 1));
    EXPECT_EQ(controls(*doc, 0), before);
}

TEST(LoopChange, OffPinsTheEndsToTheLoopedCurve) {
    // Anchor 0 at x = 56.7 rounds down onto dot 0: overwritten, not duplicated.
    auto doc = loopDocument(512, {{56.7, 200}, {200, 100}, {425.4, 250}});
    ASSERT_EQ(static_cast<int>(doc->channels[0].anchorPoints[0].x), 56);
    const double first = curveY(*doc, 0, 0);
    const double last = curveY(*doc, 0, 511);
    ASSERT_TRUE(setLoop(*doc, 0));
    EXPECT_EQ(doc->loop, 0);
    EXPECT_EQ(controls(*doc, 0),
              (std::vector<CurvePoint>{{56, first}, {200, 100}, {425.4, 250}, {567, last}}));

    // Neither end taken: a point is added at each.
    auto free = loopDocument(300, {{100, 200}, {250, 100}});
    const double y0 = curveY(*free, 1, 0);
    const double y1 = curveY(*free, 1, 299);
    ASSERT_TRUE(setLoop(*free, 0));
    EXPECT_EQ(controls(*free, 1),
              (std::vector<CurvePoint>{{56, y0}, {100, 200}, {250, 100}, {355, y1}}));

    // One point: it stays, between the two new ends.
    auto single = loopDocument(100, {{80, 150}});
    ASSERT_TRUE(setLoop(*single, 0));
    EXPECT_EQ(controls(*single, 2), (std::vector<CurvePoint>{{56, 150}, {80, 150}, {155, 150}}));

    // Anchors clamped onto both ends: both points are overwritten in place.
    auto ends = loopDocument(100, {{-50, 150}, {100, 90}, {400, 200}});
    ASSERT_EQ(ends->channels[0].anchorPoints[0].x, 56);
    ASSERT_EQ(ends->channels[0].anchorPoints[2].x, 155);
    const double e0 = curveY(*ends, 0, 0);
    const double e1 = curveY(*ends, 0, 99);
    ASSERT_TRUE(setLoop(*ends, 0));
    EXPECT_EQ(controls(*ends, 0), (std::vector<CurvePoint>{{56, e0}, {100, 90}, {155, e1}}));
    rebuildAllCurves(*ends);
}

TEST(LoopChange, OffNeverGrowsPast256Points) {
    for (int n : {254, 255, 256}) {
        SCOPED_TRACE(n);
        std::vector<CurvePoint> points;
        for (int i = 0; i < n; ++i) {
            points.push_back({70.0 + 6 * i, 100.0 + i % 7});
        }
        auto doc = loopDocument(1600, points);
        const double y0 = curveY(*doc, 0, 0);
        const double y1 = curveY(*doc, 0, 1599);
        ASSERT_TRUE(setLoop(*doc, 0));
        const auto c = controls(*doc, 0);
        ASSERT_EQ(static_cast<int>(c.size()), std::min(n + 2, 256));
        EXPECT_EQ(c.front(), (CurvePoint{56, y0}));
        EXPECT_EQ(c.back(), (CurvePoint{1655, y1}));
        // The interior keeps the old points in order, less those nearest the ends.
        const int dropFirst = n == 256 ? 1 : 0;
        for (std::size_t k = 1; k + 1 < c.size(); ++k) {
            EXPECT_EQ(c[k], points[k - 1 + dropFirst]);
        }
        rebuildAllCurves(*doc);
    }
}

} // namespace
} // namespace spectrane
