// Everything the program writes reads back bit for bit: the transforms either give a document
// within the coordinate bound or refuse and leave it exactly as it was; a drag keeps its control
// point inside the bound however far out its neighbours lie.
#include "editing/drag_start.h"
#include "editing/drag_step.h"
#include "files/line_data_file.h"
#include "model/document_check.h"
#include "model/random_curves.h"
#include "support/editor_fixture.h"
#include "transforms/length_change.h"
#include "transforms/loop_change.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

TEST(DocumentBounds, TransformsGiveWhatReadsBackOrRefuseUntouched) {
    int refused = 0;
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        RandomGenerator rng;
        rng.seed(seed);
        auto doc = std::make_unique<GradationDocument>();
        doc->length = 300 + rng.next() % 1300;
        doc->loop = seed % 3 == 0;
        newGradationCurves(*doc, rng);
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

TEST(DocumentBounds, ADragKeepsItsControlPointInsideAndTheFileWritable) {
    // Both ends of a three-point curve at -1e9: the middle point's control point would land
    // past the bound.
    test::EditorFixture f(
        test::makeDocument(512, test::Points::OpenControls, {{56, -1e9}, {300, 200}, {567, -1e9}}));
    f.refresh();
    auto ctx = f.context();
    const CurvePoint a = f.doc.channels[0].anchorPoints[1];
    ASSERT_TRUE(StartDrag(ctx, static_cast<int>(a.x), static_cast<int>(a.y)));
    DragStep(ctx, static_cast<int>(a.x), 351);
    EXPECT_TRUE(withinBound(f.doc.channels[0].controlPoints[1]));
    test::TempDir dir;
    EXPECT_TRUE(writeLineDataFile(dir / "dragged.spd", f.doc));
}

} // namespace
} // namespace spectrane
