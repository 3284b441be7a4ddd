#include "views/previews.h"

#include "support/test_support.h"
#include "views/graph_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace spectrane {
namespace {

constexpr Color kRed = rgb(255, 0, 0);
constexpr Color kBlue = rgb(0, 0, 255);

struct Sheet {
    Sheet() : surface(128, 385) { DrawPreviewSheet(surface); }
    Surface surface;
};

const Surface& sheet() {
    static const Sheet s;
    return s.surface;
}

// Levels of the two sample curves, solved independently of the sheet's drawing.
struct SampleLevels {
    SampleLevels() {
        auto r = test::openDocumentFromAnchors(128, {{56, 256}, {88, 88}, {152, 304}, {183, 288}});
        auto b = test::openDocumentFromAnchors(128, {{56, 288}, {88, 304}, {152, 88}, {183, 256}});
        for (int i = 0; i < 128; ++i) {
            red[i] = r->colorLine.level(0, i);
            blue[i] = b->colorLine.level(0, i);
        }
    }
    int red[128];
    int blue[128];
    Color color(int dot) const { return rgb(red[dot], 0, blue[dot]); }
};

const SampleLevels& levels() {
    static const SampleLevels l;
    return l;
}

TEST(PreviewSheet, ArrowsPointTheFourWays) {
    const Surface& s = sheet();
    // Tips (outline) and shafts (fill) of the five arrows.
    EXPECT_EQ(s.pixel(112, 113), kArrowOutlineColor);
    EXPECT_EQ(s.pixel(64, 113), kArrowFillColor);
    EXPECT_EQ(s.pixel(16, 113), kArrowOutlineColor);
    EXPECT_EQ(s.pixel(14, 113), kDialogFaceColor);
    EXPECT_EQ(s.pixel(112, 177), kArrowOutlineColor);
    EXPECT_EQ(s.pixel(16, 209), kArrowOutlineColor);
    EXPECT_EQ(s.pixel(90, 209), kArrowFillColor);
    EXPECT_EQ(s.pixel(16, 369), kArrowOutlineColor);
    EXPECT_EQ(s.pixel(16, 300), kArrowFillColor);
    EXPECT_EQ(s.pixel(112, 273), kArrowOutlineColor);
    EXPECT_EQ(s.pixel(112, 340), kArrowFillColor);
    // Heads are 16 wide: the up arrow's head spans x 104..120 at 16 below its tip.
    EXPECT_EQ(s.pixel(104, 289), kArrowOutlineColor);
    EXPECT_EQ(s.pixel(120, 289), kArrowOutlineColor);
    EXPECT_EQ(s.pixel(103, 289), kDialogFaceColor);
}

TEST(PreviewSheet, MiniaturePlotAndSampleCurves) {
    const Surface& s = sheet();
    EXPECT_EQ(s.pixel(127, 96), kFrameColor);
    EXPECT_EQ(s.pixel(127, 97), kDialogFaceColor);
    EXPECT_EQ(s.pixel(60, 96), kFrameColor);
    EXPECT_EQ(s.pixel(8, 50), kGridColor);
    EXPECT_EQ(s.pixel(50, 48), kGridColor);
    EXPECT_EQ(s.pixel(8, 88), kLevelLineColor);
    EXPECT_EQ(s.pixel(126, 8), kLevelLineColor);

    const SampleLevels& lv = levels();
    const auto miniY = [](int level) { return static_cast<int>(88 - level * 0.3125); };
    for (int i = 0; i < 127; ++i) {
        const int yb = miniY(lv.blue[i]);
        EXPECT_EQ(s.pixel(i, yb), kBlue) << i;
        // Red shows wherever blue's segments do not cover it.
        const int yr = miniY(lv.red[i]);
        const int lo = std::min({miniY(lv.blue[std::max(i - 1, 0)]), yb, miniY(lv.blue[i + 1])});
        const int hi = std::max({miniY(lv.blue[std::max(i - 1, 0)]), yb, miniY(lv.blue[i + 1])});
        if (yr < lo - 1 || yr > hi + 1) {
            EXPECT_EQ(s.pixel(i, yr), kRed) << i;
        }
    }
}

TEST(PreviewSheet, FourSampleStripsShowTheSameColoursWithoutGreen) {
    const Surface& s = sheet();
    const SampleLevels& lv = levels();
    for (int i = 0; i < 128; ++i) {
        const Color c = lv.color(i);
        for (int k = 0; k < 32; ++k) {
            ASSERT_EQ(s.pixel(i, 129 + k), c) << i;
            ASSERT_EQ(s.pixel(127 - i, 225 + k), c) << i;
            ASSERT_EQ(s.pixel(32 + k, 257 + i), c) << i;
            ASSERT_EQ(s.pixel(64 + k, 384 - i), c) << i;
        }
        EXPECT_EQ(greenOf(c), 0);
    }
    // Anchors of the sample curves hold: red 64 at dot 0, blue 232 at dot 96.
    EXPECT_EQ(redOf(s.pixel(0, 140)), 64);
    EXPECT_EQ(blueOf(s.pixel(96, 140)), 232);
    EXPECT_EQ(s.pixel(10, 161), kDialogFaceColor);
    EXPECT_EQ(s.pixel(10, 224), kDialogFaceColor);
    EXPECT_EQ(s.pixel(31, 300), kDialogFaceColor);
    EXPECT_EQ(s.pixel(96, 300), kDialogFaceColor);
}

TEST(PreparePreviewCanvas, ClearsAndPlacesTheMiniaturePlot) {
    Surface canvas(320, 192, rgb(9, 9, 9));
    PreparePreviewCanvas(canvas, sheet());
    for (int y = 0; y < 129; ++y) {
        for (int x = 0; x < 128; ++x) {
            ASSERT_EQ(canvas.pixel(192 + x, 32 + y), sheet().pixel(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(canvas.pixel(0, 0), kDialogFaceColor);
    EXPECT_EQ(canvas.pixel(319, 191), kDialogFaceColor);
    EXPECT_EQ(canvas.pixel(191, 100), kDialogFaceColor);
}

using PreviewFn = std::function<void(Surface&, const Surface&, int, TextRenderer&)>;

TEST(Previews, StripLandsOnTheSameSquareInEveryDirection) {
    const PreviewFn variants[] = {DrawDirectionPreview, DrawLengthPreview, DrawWidthPreview};
    const SampleLevels& lv = levels();
    for (int v = 0; v < 3; ++v) {
        for (int d = 0; d < 4; ++d) {
            SCOPED_TRACE(testing::Message() << "variant " << v << " direction " << d);
            Surface canvas(320, 192);
            PreparePreviewCanvas(canvas, sheet());
            test::FakeTextRenderer text;
            variants[v](canvas, sheet(), d, text);
            const CanvasBox box = (d & 1) ? kVerticalStripBox : kHorizontalStripBox;
            for (int y = box.top; y <= box.bottom; ++y) {
                for (int x = box.left; x <= box.right; ++x) {
                    const int along = (d & 1) ? y - box.top : x - box.left;
                    const int dot = d >= 2 ? 127 - along : along;
                    ASSERT_EQ(canvas.pixel(x, y), lv.color(dot)) << x << "," << y;
                }
            }
            // The ring of pixels around the strip is plain face colour.
            for (int x = box.left - 1; x <= box.right + 1; ++x) {
                EXPECT_EQ(canvas.pixel(x, box.top - 1), kDialogFaceColor) << x;
                EXPECT_EQ(canvas.pixel(x, box.bottom + 1), kDialogFaceColor) << x;
            }
            for (int y = box.top - 1; y <= box.bottom + 1; ++y) {
                EXPECT_EQ(canvas.pixel(box.left - 1, y), kDialogFaceColor) << y;
                EXPECT_EQ(canvas.pixel(box.right + 1, y), kDialogFaceColor) << y;
            }
            // The miniature plot is untouched.
            EXPECT_EQ(canvas.pixel(192 + 8, 32 + 50), kGridColor);
        }
    }
}

TEST(Previews, DimensionsAndLabelsFrameTheStrip) {
    struct Expect {
        int d;
        int lengthX, lengthY, widthX, widthY;
    };
    const Expect cases[] = {
        {0, 86, 55, 7, 90}, {1, 124, 90, 90, 7}, {2, 86, 124, 7, 90}, {3, 47, 90, 90, 7}};
    for (const Expect& e : cases) {
        SCOPED_TRACE(e.d);
        Surface canvas(320, 192);
        PreparePreviewCanvas(canvas, sheet());
        test::FakeTextRenderer text;
        DrawLengthPreview(canvas, sheet(), e.d, text);
        ASSERT_EQ(text.calls.size(), 2u);
        EXPECT_EQ(text.calls[0].text, "長さ");
        EXPECT_EQ(text.calls[0].x, e.lengthX);
        EXPECT_EQ(text.calls[0].y, e.lengthY);
        EXPECT_EQ(text.calls[1].text, "幅");
        EXPECT_EQ(text.calls[1].x, e.widthX);
        EXPECT_EQ(text.calls[1].y, e.widthY);
        for (const auto& call : text.calls) {
            EXPECT_EQ(call.style.face, "ＭＳ Ｐゴシック");
            EXPECT_EQ(call.style.pixelHeight, 12);
            EXPECT_EQ(call.style.color, rgb(0, 0, 0));
            EXPECT_TRUE(call.style.opaque);
            EXPECT_EQ(call.style.background, kDialogFaceColor);
        }

        test::FakeTextRenderer widthOnly;
        DrawWidthPreview(canvas, sheet(), e.d, widthOnly);
        ASSERT_EQ(widthOnly.calls.size(), 1u);
        EXPECT_EQ(widthOnly.calls[0].text, "幅");
    }

    // Direction 0: length bracket above the strip, width bracket left of it.
    Surface canvas(320, 192);
    PreparePreviewCanvas(canvas, sheet());
    test::FakeTextRenderer text;
    DrawDirectionPreview(canvas, sheet(), 0, text);
    const Color black = rgb(0, 0, 0);
    EXPECT_EQ(canvas.pixel(32, 75), black);
    EXPECT_EQ(canvas.pixel(32, 73), black);
    EXPECT_EQ(canvas.pixel(100, 72), black);
    EXPECT_EQ(canvas.pixel(159, 72), black);
    EXPECT_EQ(canvas.pixel(159, 75), black);
    EXPECT_EQ(canvas.pixel(159, 76), kDialogFaceColor); // end point not drawn
    EXPECT_EQ(canvas.pixel(32, 76), kDialogFaceColor);
    EXPECT_EQ(canvas.pixel(100, 73), kDialogFaceColor);
    EXPECT_EQ(canvas.pixel(27, 80), black);
    EXPECT_EQ(canvas.pixel(24, 95), black);
    EXPECT_EQ(canvas.pixel(27, 111), black);
    EXPECT_EQ(canvas.pixel(28, 111), kDialogFaceColor);
    // Arrow under the strip, copied from the sheet.
    EXPECT_EQ(canvas.pixel(144, 128), kArrowOutlineColor);
    EXPECT_EQ(canvas.pixel(96, 128), kArrowFillColor);

    // Directions are taken modulo 4.
    Surface again(320, 192);
    PreparePreviewCanvas(again, sheet());
    test::FakeTextRenderer text2;
    DrawDirectionPreview(again, sheet(), 4, text2);
    for (int y = 0; y < 192; ++y) {
        for (int x = 0; x < 320; ++x) {
            ASSERT_EQ(again.pixel(x, y), canvas.pixel(x, y));
        }
    }
}

} // namespace
} // namespace spectrane
