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

// The sample curves' colours, solved independently of the sheet: red through levels 64, 232, 16,
// 32 and blue through 32, 16, 232, 64 at dots 0, 32, 96, 127.
Color sample(int dot) {
    static const auto red =
        test::openDocumentFromAnchors(128, {{56, 256}, {88, 88}, {152, 304}, {183, 288}});
    static const auto blue =
        test::openDocumentFromAnchors(128, {{56, 288}, {88, 304}, {152, 88}, {183, 256}});
    return rgb(red->colorLine.level(0, dot), 0, blue->colorLine.level(0, dot));
}
int miniY(Color c, bool blue) { // the miniature plot: level 0 at y 88, 80 pixels for 256
    return static_cast<int>(88 - (blue ? blueOf(c) : redOf(c)) * 0.3125);
}

TEST(Previews, SheetHoldsArrowsMiniaturePlotAndSampleStrips) {
    const Surface& s = sheet();
    // Tips (outline) and shafts (fill) of the five arrows: right, right, left, down, up.
    for (const auto& [x, y, c] : {std::tuple{112, 113, kArrowOutlineColor},
                                  {64, 113, kArrowFillColor},
                                  {16, 113, kArrowOutlineColor},
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
    for (int i = 0; i < 128; ++i) {
        // The blue curve over the red one, red showing wherever blue's segments leave it.
        const int yb = miniY(sample(i), true);
        const int lo = std::min({miniY(sample(std::max(i - 1, 0)), true), yb,
                                 miniY(sample(std::min(i + 1, 127)), true)});
        const int hi = std::max({miniY(sample(std::max(i - 1, 0)), true), yb,
                                 miniY(sample(std::min(i + 1, 127)), true)});
        if (i < 127) {
            EXPECT_EQ(s.pixel(i, yb), rgb(0, 0, 255)) << i;
        }
        if (const int yr = miniY(sample(i), false); i < 127 && (yr < lo - 1 || yr > hi + 1)) {
            EXPECT_EQ(s.pixel(i, yr), rgb(255, 0, 0)) << i;
        }
        // The four strips, 32 pixels across: left to right, right to left, top down, bottom up.
        for (int k = 0; k < 32; ++k) {
            ASSERT_EQ(s.pixel(i, 129 + k), sample(i)) << i;
            ASSERT_EQ(s.pixel(127 - i, 225 + k), sample(i)) << i;
            ASSERT_EQ(s.pixel(32 + k, 257 + i), sample(i)) << i;
            ASSERT_EQ(s.pixel(64 + k, 384 - i), sample(i)) << i;
        }
    }
    EXPECT_EQ(sample(0), rgb(64, 0, 32));
    EXPECT_EQ(blueOf(sample(96)), 232);
    for (const auto& [x, y] : {std::pair{10, 161}, {10, 224}, {31, 300}, {96, 300}}) {
        EXPECT_EQ(s.pixel(x, y), kDialogFaceColor) << x << "," << y;
    }
}

// Each preview puts the strip of its direction on the same square of the canvas, dot 0 where
// the direction says, with a plain ring around it; the miniature plot (at 192, 32) stays.
TEST(Previews, StripLandsOnTheSameSquareInEveryDirection) {
    Surface canvas(320, 192, rgb(9, 9, 9));
    PreparePreviewCanvas(canvas, sheet());
    const Surface prepared = canvas;
    for (int y = 0; y < 129; ++y) {
        for (int x = 0; x < 128; ++x) {
            ASSERT_EQ(canvas.pixel(192 + x, 32 + y), sheet().pixel(x, y));
        }
    }
    EXPECT_EQ(countColour(canvas, kDialogFaceColor, {0, 0, 192, 192}), 192 * 192);
    using Preview = void (*)(Surface&, const Surface&, int, TextRenderer&);
    for (const Preview draw : {&DrawDirectionPreview, &DrawLengthPreview, &DrawWidthPreview}) {
        for (int d = 0; d < 4; ++d) {
            canvas = prepared;
            test::FakeTextRenderer text;
            draw(canvas, sheet(), d, text);
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
// measures: the length along the strip, the width across it.
TEST(Previews, DimensionsAndLabelsFrameTheStrip) {
    Surface prepared(320, 192);
    PreparePreviewCanvas(prepared, sheet());
    for (int d = 0; d < 4; ++d) {
        Surface canvas = prepared;
        test::FakeTextRenderer text;
        DrawLengthPreview(canvas, sheet(), d, text);
        ASSERT_EQ(text.calls.size(), 2u);
        const CanvasBox box = (d & 1) ? kVerticalStripBox : kHorizontalStripBox;
        const Rect bracketed{box.left - 8, box.top - 8, box.right + 9, box.bottom + 9};
        for (int k = 0; k < 2; ++k) {
            const test::FakeTextRenderer::Call& call = text.calls[k];
            EXPECT_EQ(call.text, k == 0 ? kLengthLabel : kWidthLabel);
            EXPECT_TRUE(call.style.face == kGothicFace && call.style.opaque &&
                        call.style.background == kDialogFaceColor && call.style.color == 0);
            const int w = text.measureText(call.text, call.style).width;
            const bool alongX = (k == 0) == ((d & 1) == 0);
            const int from = alongX ? call.x : call.y;
            const int mid = alongX ? (box.left + box.right) / 2 : (box.top + box.bottom) / 2;
            EXPECT_TRUE(from <= mid && mid <= from + (alongX ? w : 12)) << d << " label " << k;
            EXPECT_TRUE(call.x + w <= bracketed.left || call.x >= bracketed.right ||
                        call.y + 12 <= bracketed.top || call.y >= bracketed.bottom)
                << d << " label " << k;
        }
        test::FakeTextRenderer widthOnly;
        DrawWidthPreview(canvas, sheet(), d, widthOnly);
        ASSERT_EQ(widthOnly.calls.size(), 1u);
        EXPECT_EQ(widthOnly.calls[0].text, kWidthLabel);
    }
    // Direction 0: the length bracket above the strip (its end point omitted), the width
    // bracket left of it, and the arrow below.
    Surface canvas = prepared;
    test::FakeTextRenderer text;
    DrawDirectionPreview(canvas, sheet(), 0, text);
    const Color black = kDimensionColor;
    for (const auto& [x, y, c] : {std::tuple{32, 75, black},
                                  {32, 73, black},
                                  {100, 72, black},
                                  {159, 72, black},
                                  {159, 75, black},
                                  {159, 76, kDialogFaceColor},
                                  {32, 76, kDialogFaceColor},
                                  {100, 73, kDialogFaceColor},
                                  {27, 80, black},
                                  {24, 95, black},
                                  {27, 111, black},
                                  {28, 111, kDialogFaceColor},
                                  {144, 128, kArrowOutlineColor},
                                  {96, 128, kArrowFillColor}}) {
        EXPECT_EQ(canvas.pixel(x, y), c) << x << "," << y;
    }
    Surface again = prepared; // directions are taken modulo 4
    DrawDirectionPreview(again, sheet(), 4, text);
    EXPECT_EQ(countDifferences(again, canvas), 0);
}

} // namespace
} // namespace spectrane
