#include "views/previews.h"

#include "support/test_support.h"
#include "views/graph_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Five arrows (outlined tip, filled shaft): right under the plot and under the first strip,
// left, down and up; the miniature plot's frame, grid and level lines; the blue sample curve
// over the red one at level 0 = y 88, 80 pixels for 256 levels.
TEST(Previews, SheetHoldsArrowsMiniaturePlotAndSampleCurves) {
    const Surface& s = sheet();
    for (const auto& [x, y, c] : {std::tuple{112, 113, kArrowOutlineColor},
                                  {64, 113, kArrowFillColor},
                                  {14, 113, kDialogFaceColor},
                                  {112, 177, kArrowOutlineColor},
                                  {16, 209, kArrowOutlineColor},
                                  {90, 209, kArrowFillColor},
                                  {16, 369, kArrowOutlineColor},
                                  {16, 300, kArrowFillColor},
                                  {112, 273, kArrowOutlineColor},
                                  {112, 340, kArrowFillColor},
                                  {104, 289, kArrowOutlineColor},
                                  {120, 289, kArrowOutlineColor},
                                  {103, 289, kDialogFaceColor},
                                  {127, 96, kFrameColor},
                                  {127, 97, kDialogFaceColor},
                                  {8, 50, kGridColor},
                                  {50, 48, kGridColor},
                                  {8, 88, kLevelLineColor},
                                  {126, 8, kLevelLineColor}}) {
        EXPECT_EQ(s.pixel(x, y), c) << x << "," << y;
    }
    const auto miniY = [](int level) { return static_cast<int>(88 - level * 0.3125); };
    for (int i = 0; i < 127; ++i) {
        const int yb = miniY(blueOf(sample(i)));
        EXPECT_EQ(s.pixel(i, yb), rgb(0, 0, 255)) << i;
        // Red shows wherever blue's segments to its neighbours leave it.
        const int yp = miniY(blueOf(sample(std::max(i - 1, 0))));
        const int yn = miniY(blueOf(sample(i + 1)));
        const int yr = miniY(redOf(sample(i)));
        if (yr < std::min({yp, yb, yn}) - 1 || yr > std::max({yp, yb, yn}) + 1) {
            EXPECT_EQ(s.pixel(i, yr), rgb(255, 0, 0)) << i;
        }
    }
    EXPECT_EQ(sample(0), rgb(64, 0, 32));
    EXPECT_EQ(blueOf(sample(96)), 232);
}

// Each preview puts the strip of its direction on the same square, dot 0 where the direction
// says, with a plain ring around it; the miniature plot copied at (192, 32) stays.
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
    using Preview = void (*)(Surface&, const Surface&, int, TextRenderer&, const DimensionLabels&);
    for (const Preview draw : {&DrawDirectionPreview, &DrawLengthPreview, &DrawWidthPreview}) {
        for (int d = 0; d < 4; ++d) {
            Surface canvas = prepared;
            test::FakeTextRenderer text;
            draw(canvas, sheet(), d, text, {});
            const CanvasBox box = (d & 1) ? kVerticalStripBox : kHorizontalStripBox;
            for (int y = box.top; y <= box.bottom; ++y) {
                for (int x = box.left; x <= box.right; ++x) {
                    const int along = (d & 1) ? y - box.top : x - box.left;
                    ASSERT_EQ(canvas.pixel(x, y), sample(d >= 2 ? 127 - along : along))
                        << "direction " << d << " at " << x << "," << y;
                }
            }
            const Rect ring{box.left - 1, box.top - 1, box.right + 2, box.bottom + 2};
            EXPECT_EQ(countColour(canvas, kDialogFaceColor, ring), 2 * (128 + 32) + 4) << d;
            EXPECT_EQ(countDifferences(canvas, prepared, {192, 0, 320, 192}), 0);
        }
    }
}

// Each label sits beyond its bracket outside the strip, across the middle of the edge it
// measures (the length along the strip, the width across), opaque on the dialog face.
TEST(Previews, DimensionsAndLabelsFrameTheStrip) {
    Surface prepared(320, 192);
    PreparePreviewCanvas(prepared, sheet());
    for (int d = 0; d < 4; ++d) {
        Surface canvas = prepared;
        test::FakeTextRenderer text;
        DrawLengthPreview(canvas, sheet(), d, text);
        ASSERT_EQ(text.calls.size(), 2u);
        const CanvasBox box = (d & 1) ? kVerticalStripBox : kHorizontalStripBox;
        for (int k = 0; k < 2; ++k) {
            const auto& [label, x, y, style] = text.calls[k];
            EXPECT_EQ(label, k == 0 ? kLengthLabel : kWidthLabel);
            EXPECT_TRUE(style.face == kGothicFace && style.pixelHeight == 12 && style.color == 0 &&
                        style.opaque && style.background == kDialogFaceColor);
            const int w = text.measureText(label, style).width;
            const bool alongX = (k == 0) == ((d & 1) == 0);
            const int from = alongX ? x : y;
            const int mid = alongX ? (box.left + box.right) / 2 : (box.top + box.bottom) / 2;
            EXPECT_TRUE(from <= mid && mid <= from + (alongX ? w : 12)) << d << " label " << k;
            EXPECT_TRUE(x + w <= box.left - 8 || x > box.right + 8 || y + 12 <= box.top - 8 ||
                        y > box.bottom + 8)
                << d << " label " << k;
        }
        test::FakeTextRenderer widthOnly;
        DrawWidthPreview(canvas, sheet(), d, widthOnly);
        ASSERT_EQ(widthOnly.calls.size(), 1u);
        EXPECT_EQ(widthOnly.calls[0].text, kWidthLabel);
    }
    // Direction 0: the length bracket above the strip (its end point omitted), the width
    // bracket left of it, the arrow below; directions are taken modulo 4.
    Surface canvas = prepared;
    test::FakeTextRenderer text;
    DrawDirectionPreview(canvas, sheet(), 0, text);
    const Color ink = kDimensionColor;
    for (const auto& [x, y, c] : {std::tuple{32, 75, ink},
                                  {32, 73, ink},
                                  {100, 72, ink},
                                  {159, 72, ink},
                                  {159, 75, ink},
                                  {159, 76, kDialogFaceColor},
                                  {32, 76, kDialogFaceColor},
                                  {100, 73, kDialogFaceColor},
                                  {27, 80, ink},
                                  {24, 95, ink},
                                  {27, 111, ink},
                                  {28, 111, kDialogFaceColor},
                                  {144, 128, kArrowOutlineColor},
                                  {96, 128, kArrowFillColor}}) {
        EXPECT_EQ(canvas.pixel(x, y), c) << x << "," << y;
    }
    Surface again = prepared;
    DrawDirectionPreview(again, sheet(), 4, text);
    EXPECT_EQ(countDifferences(again, canvas), 0);
}

} // namespace
} // namespace spectrane
