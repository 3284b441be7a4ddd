#include "model/gradation_render.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

using test::flatLevels;

constexpr Color kUntouched = 0x123456;

TEST(GradationRender, RgbAndCmyColours) {
    auto full = flatLevels(64, 255, 0, 0);
    EXPECT_EQ(channelBarColor(full->colorLine, 0, 10, false), rgb(255, 0, 0));
    EXPECT_EQ(channelBarColor(full->colorLine, 0, 10, true), rgb(0, 255, 255));
    EXPECT_EQ(redOf(mixedColor(full->colorLine, 10, true)), 0);
    auto black = flatLevels(64, 0, 0, 0);
    EXPECT_EQ(mixedColor(black->colorLine, 3, false), rgb(0, 0, 0));
    EXPECT_EQ(mixedColor(black->colorLine, 3, true), rgb(255, 255, 255));
    auto mix = flatLevels(64, 10, 20, 30);
    EXPECT_EQ(mixedColor(mix->colorLine, 0, false), rgb(10, 20, 30));
    EXPECT_EQ(mixedColor(mix->colorLine, 0, true), rgb(245, 235, 225));
    EXPECT_EQ(channelBarColor(mix->colorLine, 1, 0, false), rgb(0, 20, 0));
    EXPECT_EQ(channelBarColor(mix->colorLine, 2, 0, false), rgb(0, 0, 30));
    EXPECT_EQ(channelBarColor(mix->colorLine, 1, 0, true), rgb(20, 0, 20));
    EXPECT_EQ(channelBarColor(mix->colorLine, 2, 0, true), rgb(30, 30, 0));
}

TEST(GradationRender, ColorBarsRepaintExactlyTheRangeAndChannel) {
    auto doc = flatLevels(512, 10, 20, 30);
    Surface canvas(624, 490, kUntouched);
    paintColorBars(canvas, doc->colorLine, 1, 100, 120, false);
    for (int y = 0; y < 490; ++y) {
        for (int x = 0; x < 624; ++x) {
            const bool inRange = x >= 156 && x <= 176;
            const bool mixedBar = y >= 370 && y < 386;
            const bool greenBar = y >= 418 && y < 434;
            Color expected = kUntouched;
            if (inRange && mixedBar) {
                expected = rgb(10, 20, 30);
            } else if (inRange && greenBar) {
                expected = rgb(0, 20, 0);
            }
            ASSERT_EQ(canvas.pixel(x, y), expected) << x << "," << y;
        }
    }
    paintColorBars(canvas, doc->colorLine, -1, 0, 511, true);
    EXPECT_EQ(canvas.pixel(56, 394), rgb(0, 10, 10));
    EXPECT_EQ(canvas.pixel(567, 457), rgb(30, 30, 0));
    EXPECT_EQ(canvas.pixel(567, 458), kUntouched); // 16 pixels high, end excluded
    EXPECT_EQ(canvas.pixel(55, 394), kUntouched);
    EXPECT_EQ(canvas.pixel(568, 394), kUntouched);
}

// A document whose dot j has level j in channel 0, so each column tells which dot it is.
std::unique_ptr<GradationDocument> rampDocument(int length) {
    auto doc = flatLevels(length, 0, 0, 0);
    for (int j = 0; j < length; ++j) {
        doc->colorLine[0][j].y = CanvasGeometry::levelY(j % 256);
    }
    return doc;
}

TEST(GradationRender, DirectionsPlaceDotZeroOnTheRightEdge) {
    const int l = 200;
    auto doc = rampDocument(l);
    const int left = 5;
    const int top = 7;
    const int thick = 3;
    for (int d = 0; d < 4; ++d) {
        Surface s(220, 220, kUntouched);
        paintGradation(s, doc->colorLine, left, top, l, thick, 0, l - 1, d, false);
        for (int j = 0; j < l; ++j) {
            const int p = (d >= 2) ? l - 1 - j : j;
            for (int across = 0; across < thick; ++across) {
                const int x = (d & 1) ? left + across : left + p;
                const int y = (d & 1) ? top + p : top + across;
                ASSERT_EQ(s.pixel(x, y), rgb(j, 0, 0)) << "direction " << d << " dot " << j;
            }
        }
        // Nothing outside the gradation's rectangle.
        const int w = (d & 1) ? thick : l;
        const int h = (d & 1) ? l : thick;
        int painted = 0;
        for (int y = 0; y < 220; ++y) {
            for (int x = 0; x < 220; ++x) {
                painted += s.pixel(x, y) != kUntouched;
                if (x < left || x >= left + w || y < top || y >= top + h) {
                    ASSERT_EQ(s.pixel(x, y), kUntouched) << "direction " << d;
                }
            }
        }
        EXPECT_EQ(painted, w * h);
    }
}

TEST(GradationRender, PartialRepaintTouchesOnlyItsBands) {
    const int l = 100;
    auto doc = rampDocument(l);
    Surface s(120, 10, kUntouched);
    paintGradation(s, doc->colorLine, 0, 0, l, 1, 40, 49, 2, false);
    for (int x = 0; x < 120; ++x) {
        const int dot = l - 1 - x;
        const bool inRange = dot >= 40 && dot <= 49;
        EXPECT_EQ(s.pixel(x, 0), inRange ? rgb(dot, 0, 0) : kUntouched) << x;
        EXPECT_EQ(s.pixel(x, 1), kUntouched) << "thickness 1 is one pixel";
    }
    // A band of several rows, partly off the surface at the bottom.
    Surface t(120, 10, kUntouched);
    paintGradation(t, doc->colorLine, 3, 6, l, 8, 10, 12, 0, false);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 120; ++x) {
            const int dot = x - 3;
            const bool inBand = y >= 6 && dot >= 10 && dot <= 12;
            ASSERT_EQ(t.pixel(x, y), inBand ? rgb(dot, 0, 0) : kUntouched) << x << "," << y;
        }
    }
}

} // namespace
} // namespace spectrane
