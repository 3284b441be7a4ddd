#include "views/previews.h"

#include "support/test_support.h"
#include "views/graph_painter.h"

#include <gtest/gtest.h>

#include <tuple>

namespace spectrane {
namespace {

using test::countColour;
using test::countDifferences;

const Surface& sheet() {
    static const Surface s = [] {
        Surface sheet(128, 385);
        DrawPreviewSheet(sheet);
        return sheet;
    }();
    return s;
}

// The sample colours, solved independently of the sheet: red through levels 64, 232, 16, 32
// and blue through 32, 16, 232, 64 at dots 0, 32, 96, 127.
Color sample(int dot) {
    static const auto red =
        test::openDocumentFromAnchors(128, {{56, 256}, {88, 88}, {152, 304}, {183, 288}});
    static const auto blue =
        test::openDocumentFromAnchors(128, {{56, 288}, {88, 304}, {152, 88}, {183, 256}});
    return rgb(red->colorLine.level(0, dot), 0, blue->colorLine.level(0, dot));
}

// Each preview puts the strip of its direction on the same square, dot 0 where the direction
// says (modulo 4), with a plain ring around it, and one label per dimension it shows; the
// miniature plot copied at (192, 32) stays.
TEST(Previews, StripLandsOnTheSameSquareInEveryDirection) {
    Surface prepared(320, 192, rgb(9, 9, 9));
    PreparePreviewCanvas(prepared, sheet());
    for (int y = 0; y < 129; ++y) {
        for (int x = 0; x < 128; ++x) {
            ASSERT_EQ(prepared.pixel(192 + x, 32 + y), sheet().pixel(x, y));
        }
    }
    EXPECT_EQ(countColour(prepared, kDialogFaceColor, {0, 0, 192, 192}), 192 * 192);
    EXPECT_EQ(countColour(prepared, kDialogFaceColor, {192, 161, 320, 192}), 128 * 31);
    using Preview = void (*)(Surface&, const Surface&, int, TextRenderer&);
    for (const Preview draw : {&DrawDirectionPreview, &DrawLengthPreview, &DrawWidthPreview}) {
        for (int d = 0; d < 5; ++d) {
            Surface canvas = prepared;
            test::FakeTextRenderer text;
            draw(canvas, sheet(), d, text);
            const int q = d % 4;
            const CanvasBox box = (q & 1) ? kVerticalStripBox : kHorizontalStripBox;
            for (int y = box.top; y <= box.bottom; ++y) {
                for (int x = box.left; x <= box.right; ++x) {
                    const int along = (q & 1) ? y - box.top : x - box.left;
                    ASSERT_EQ(canvas.pixel(x, y), sample(q >= 2 ? 127 - along : along))
                        << "direction " << d << " at " << x << "," << y;
                }
            }
            const Rect ring{box.left - 1, box.top - 1, box.right + 2, box.bottom + 2};
            EXPECT_EQ(countColour(canvas, kDialogFaceColor, ring), 2 * (128 + 32) + 4) << d;
            EXPECT_EQ(countDifferences(canvas, prepared, {192, 0, 320, 192}), 0);
            // Each label beyond its bracket outside the strip, across the middle of the edge it
            // measures (the length along the strip, the width across), opaque on the face.
            ASSERT_EQ(text.calls.size(), draw == &DrawWidthPreview ? 1u : 2u);
            EXPECT_EQ(text.calls.back().text, kWidthLabel);
            for (const auto& [label, x, y, style] : text.calls) {
                EXPECT_TRUE(style.face == kGothicFace && style.pixelHeight == 12 && style.opaque &&
                            style.background == kDialogFaceColor);
                const int w = text.measureText(label, style).width;
                const bool alongX = (label == kLengthLabel) == ((q & 1) == 0);
                const int from = alongX ? x : y;
                const int mid = alongX ? (box.left + box.right) / 2 : (box.top + box.bottom) / 2;
                EXPECT_TRUE(from <= mid && mid <= from + (alongX ? w : 12)) << d << label;
                EXPECT_TRUE(x + w <= box.left - 8 || x > box.right + 8 || y + 12 <= box.top - 8 ||
                            y > box.bottom + 8)
                    << d << label;
            }
        }
    }
}

} // namespace
} // namespace spectrane
