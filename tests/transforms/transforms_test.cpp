// The length and loop changes: each method by worked examples, shortening both ends as the two
// cuts, and the property that every result reads back or is refused untouched.
#include "transforms/length_change.h"
#include "transforms/loop_change.h"

#include "editing/drag_start.h"
#include "editing/drag_step.h"
#include "files/line_data_file.h"
#include "model/curve_rebuild.h"
#include "model/document_check.h"
#include "model/random_curves.h"
#include "support/editor_fixture.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace spectrane {
namespace {

using test::controlsOf;
using test::makeDocument;
using test::Points;

// An expected control point: (x, y), or (x, the old curve's y at dot `oldDot`) when oldDot >= 0.
struct Expected {
    double x, y;
    int oldDot = -1;
};
using Curve = std::vector<CurvePoint>;

// Channel ch holds the row's curve lowered by 30 ch (a mixed-up channel shows), and so must come
// out.
void expectControls(const GradationDocument& after, const GradationDocument& before,
                    const std::vector<Expected>& expected) {
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        Curve want;
        for (const Expected& e : expected) {
            want.push_back({e.x, e.oldDot >= 0 ? before.colorLine[ch][e.oldDot].y : e.y - 30 * ch});
        }
        EXPECT_EQ(controlsOf(after, ch), want) << "channel " << ch;
    }
}

const Curve kOpen3 = {{56, 300}, {200, 100}, {567, 200}};
const Curve kOpen4 = {{56, 300}, {312, 100}, {400.5, 150}, {567, 200}};
const Curve kLoop2 = {{60, 300}, {300, 100}};
const Curve kLoopLate = {{500, 300}, {530, 100}, {560, 200}};
// Anchor 4 lies exactly on x 355, the last dot of 300 (0.125 345 + 0.75 355 + 0.125 365), and
// anchor 3 of the next exactly on 268, the first dot kept of the last 300 of 512.
const Curve kOpenAt355 = {{56, 300}, {150, 100}, {250, 200}, {345, 150},
                          {355, 80}, {365, 120}, {567, 250}};
const Curve kOpenAt268 = {{56, 300}, {150, 100}, {258, 200}, {268, 150},
                          {278, 80}, {450, 120}, {567, 250}};

TEST(LengthChange, MovesDropsAndAddsPointsByMethod) {
    struct Row {
        int from, to;
        LengthChangeMethod method;
        bool loop;
        const Curve& in;
        std::vector<Expected> out;
    };
    // Cuts: an anchor exactly on the new last (or first kept) dot goes too, the new end taking the
    // old level there; a loop cut of every anchor keeps its last (cut at the start) or first.
    // clang-format off
    const Row rows[] = {
        {512, 1024, kLengthScale, false, kOpen4, {{56, 300}, {568, 100}, {745, 150}, {1079, 200}}},
        {512, 256, kLengthScale, true, kLoop2, {{58, 300}, {178, 100}}},
        {512, 600, kLengthFinishEnd, false, kOpen3, {{56, 300}, {200, 100}, {655, 200}}},
        {512, 600, kLengthStartEnd, false, kOpen3, {{56, 300}, {288, 100}, {655, 200}}},
        {512, 600, kLengthFinishEnd, true, kLoop2, {{60, 300}, {300, 100}}},
        {512, 600, kLengthStartEnd, true, kLoop2, {{148, 300}, {388, 100}}},
        {512, 601, kLengthBothEnds, false, kOpen3, {{56, 300}, {244, 100}, {656, 200}}},
        {512, 601, kLengthBothEnds, true, kLoop2, {{104, 300}, {344, 100}}},
        {512, 300, kLengthFinishEnd, false, kOpenAt355,
         {{56, 300}, {150, 100}, {250, 200}, {345, 150}, {355, 0, 299}}},
        {512, 300, kLengthStartEnd, false, kOpenAt268,
         {{56, 0, 212}, {66, 80}, {238, 120}, {355, 250}}},
        {512, 100, kLengthStartEnd, true, {{60, 300}, {70, 100}, {80, 200}}, {{-332, 200}}},
        {512, 100, kLengthFinishEnd, true, kLoopLate, {{500, 300}}},
        {512, 2, kLengthBothEnds, true, kLoopLate, {{245, 300}}},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message()
                     << r.from << " -> " << r.to << " method " << r.method << " loop " << r.loop);
        auto doc =
            makeDocument(r.from, r.loop ? Points::LoopControls : Points::OpenControls, r.in, -30);
        const GradationDocument before = *doc;
        ASSERT_TRUE(ChangeLength(*doc, {r.to, r.from, r.method}));
        EXPECT_EQ(doc->length, r.to);
        expectControls(*doc, before, r.out);
    }
}

// Bad arguments are refused, equal lengths change nothing whatever the method, and both ends
// of the range, 2 and 1600, are taken.
TEST(LengthChange, RefusesBadArgumentsAndKeepsEqualLengths) {
    auto doc = makeDocument(512, Points::OpenControls, kOpen3);
    for (const LengthChange bad : {LengthChange{300, 512, static_cast<LengthChangeMethod>(4)},
                                   {1601, 512, kLengthScale},
                                   {1, 512, kLengthScale}}) {
        EXPECT_FALSE(ChangeLength(*doc, bad));
    }
    for (int method = 0; method < 4; ++method) {
        EXPECT_TRUE(ChangeLength(*doc, {512, 512, static_cast<LengthChangeMethod>(method)}));
        EXPECT_EQ(controlsOf(*doc, 0), kOpen3);
        EXPECT_EQ(doc->length, 512);
    }
    for (const int length : {1600, 2, 1600}) {
        EXPECT_TRUE(ChangeLength(*doc, {length, doc->length, kLengthScale})) << length;
        EXPECT_EQ(doc->length, length);
    }
}

// Loop off pins both ends to the looped curve's levels there: an anchor already on an end dot
// is overwritten, a free end gets a new point. Loop on keeps every point.
TEST(LoopChange, OffPinsTheEndsOnKeepsThePoints) {
    struct Row {
        int length;
        Curve in;
        std::vector<Expected> out;
    };
    // clang-format off
    const Row rows[] = {
        {512, {{56.7, 200}, {200, 100}, {425.4, 250}}, // anchor 0 at 56.7: on dot 0
         {{56, 0, 0}, {200, 100}, {425.4, 250}, {567, 0, 511}}},
        {300, {{100, 200}, {250, 100}}, {{56, 0, 0}, {100, 200}, {250, 100}, {355, 0, 299}}},
        {100, {{80, 150}}, {{56, 150}, {80, 150}, {155, 150}}},
        {100, {{-50, 150}, {100, 90}, {400, 200}}, {{56, 0, 0}, {100, 90}, {155, 0, 99}}},
    };
    // clang-format on
    for (const Row& r : rows) {
        auto doc = makeDocument(r.length, Points::LoopControls, r.in, -30);
        const GradationDocument before = *doc;
        EXPECT_TRUE(setLoop(*doc, true)); // already looped: nothing to do
        EXPECT_EQ(controlsOf(*doc, 0), controlsOf(before, 0));
        ASSERT_TRUE(setLoop(*doc, false));
        EXPECT_FALSE(doc->loop);
        expectControls(*doc, before, r.out);
        EXPECT_TRUE(setLoop(*doc, false));
        ASSERT_TRUE(setLoop(*doc, true));
        expectControls(*doc, before, r.out);
    }
    // Never past 256 points: the interior keeps the old points in order, less the first when
    // both ends must be added to 256.
    for (const int n : {254, 255, 256}) {
        Curve points;
        for (int i = 0; i < n; ++i) {
            points.push_back({70.0 + 6 * i, 100.0 + i % 7});
        }
        auto doc = makeDocument(1600, Points::LoopControls, points);
        const GradationDocument before = *doc;
        ASSERT_TRUE(setLoop(*doc, false));
        const Curve c = controlsOf(*doc, 0);
        ASSERT_EQ(static_cast<int>(c.size()), std::min(n + 2, 256));
        EXPECT_EQ(c.front(), (CurvePoint{56, double(before.colorLine[0][0].y)}));
        EXPECT_EQ(c.back(), (CurvePoint{1655, double(before.colorLine[0][1599].y)}));
        EXPECT_TRUE(std::equal(c.begin() + 1, c.end() - 1, points.begin() + (n == 256 ? 1 : 0)));
    }
}

// Everything the program writes reads back bit for bit: the transforms either give a document
// within the coordinate bound or refuse and leave it exactly as it was.
TEST(DocumentBounds, TransformsGiveWhatReadsBackOrRefuseUntouched) {
    int refused = 0;
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        auto doc = test::randomDocument(300 + static_cast<int>(seed) * 43, seed, seed % 3 == 0);
        RandomGenerator rng;
        rng.seed(seed);
        // A point far out, as a file may hold one: stretching it again and again must stop.
        ChannelCurve& far = doc->channels[seed % 3];
        far.controlPoints[1].x = -5e5 * (seed % 4);
        rebuildAllCurves(*doc);
        for (int op = 0; op < 40; ++op) {
            const std::vector<std::uint8_t> before = encodeLineData(*doc);
            bool ok = true;
            if (seed % 2 == 0) { // cut to two dots and stretch again: a far point grows each time
                ok =
                    ChangeLength(*doc, op % 2 == 0 ? LengthChange{2, doc->length, kLengthFinishEnd}
                                                   : LengthChange{1600, doc->length, kLengthScale});
            } else if (rng.next() % 5 == 0) {
                ok = setLoop(*doc, !doc->loop);
            } else {
                const int length =
                    rng.next() % 2 == 0 ? 2 + rng.next() % 8 : 1500 + rng.next() % 101;
                ok = ChangeLength(
                    *doc, {length, doc->length, static_cast<LengthChangeMethod>(rng.next() % 4)});
            }
            if (!ok) {
                ++refused;
                ASSERT_EQ(encodeLineData(*doc), before) << "seed " << seed << " op " << op;
                continue;
            }
            rebuildAllCurves(*doc);
            ASSERT_EQ(documentFault(*doc), "") << "seed " << seed << " op " << op;
            const std::vector<std::uint8_t> bytes = encodeLineData(*doc);
            const LineDataReadResult read = parseLineData(bytes);
            ASSERT_TRUE(read) << read.status.detail;
            ASSERT_EQ(encodeLineData(*read.document), bytes);
        }
    }
    EXPECT_GT(refused, 0); // the chains do reach the bound
}

// The middle of three points dragged: with both ends at -1e9 its control point would land past
// the bound, and is kept inside; dragged far past the last dot, it lands as if on that dot.
TEST(DocumentBounds, ADragKeepsItsControlPointInsideAndTheFileWritable) {
    const auto dragged = [](double endY, int x, int y) { // x 0: straight up or down
        test::EditorFixture f(
            makeDocument(512, Points::OpenControls, {{56, endY}, {300, 200}, {567, endY}}));
        f.refresh();
        auto ctx = f.context();
        const CurvePoint a = f.doc.channels[0].anchorPoints[1];
        EXPECT_TRUE(StartDrag(ctx, static_cast<int>(a.x), static_cast<int>(a.y)));
        DragStep(ctx, x != 0 ? x : static_cast<int>(a.x), y);
        return f.doc;
    };
    const GradationDocument steep = dragged(-1e9, 0, 351);
    EXPECT_TRUE(withinBound(steep.channels[0].controlPoints[1]));
    test::TempDir dir;
    EXPECT_TRUE(writeLineDataFile(dir / "dragged.spd", steep));
    EXPECT_EQ(dragged(300, 5000, 200).channels[0].controlPoints[1],
              dragged(300, 567, 200).channels[0].controlPoints[1]);
}

} // namespace
} // namespace spectrane
