#include "model/gradation_render.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

constexpr Color kUntouched = 0x123456;

// Mixed colours are the three levels (RGB) or their complements (CMY); a channel's bar shows its
// primary (RGB) or its ink, cyan, magenta or yellow (CMY), at the level.
TEST(GradationRender, MixedAndBarColoursInRgbAndCmy) {
    struct Row {
        int l0, l1, l2;
        bool cmy;
        int bar; // -1: the mixed colour
        Color expected;
    };
    const Row rows[] = {
        {10, 20, 30, false, -1, rgb(10, 20, 30)}, {10, 20, 30, true, -1, rgb(245, 235, 225)},
        {0, 0, 0, true, -1, rgb(255, 255, 255)},  {255, 0, 0, true, -1, rgb(0, 255, 255)},
        {255, 0, 0, false, 0, rgb(255, 0, 0)},    {255, 0, 0, true, 0, rgb(0, 255, 255)},
        {10, 20, 30, false, 1, rgb(0, 20, 0)},    {10, 20, 30, false, 2, rgb(0, 0, 30)},
        {10, 20, 30, true, 1, rgb(20, 0, 20)},    {10, 20, 30, true, 2, rgb(30, 30, 0)},
    };
    for (const Row& r : rows) {
        auto doc = test::flatLevels(4, r.l0, r.l1, r.l2);
        const Color c = r.bar < 0 ? mixedColor(doc->colorLine, 2, r.cmy)
                                  : channelBarColor(doc->colorLine, r.bar, 2, r.cmy);
        EXPECT_EQ(c, r.expected) << r.l0 << " " << r.cmy << " " << r.bar;
    }
}

TEST(GradationRender, ColourBarsRepaintExactlyTheRangeAndChannel) {
    auto doc = test::flatLevels(512, 10, 20, 30);
    Surface canvas(624, 490, kUntouched);
    paintColorBars(canvas, doc->colorLine, 1, 100, 120, false);
    for (int y = 0; y < 490; ++y) {
        for (int x = 0; x < 624; ++x) {
            const bool inRange = x >= 156 && x <= 176; // dots 100..120
            Color expected = kUntouched;
            if (inRange && y >= 370 && y < 386) { // the mixed bar, 16 rows
                expected = rgb(10, 20, 30);
            } else if (inRange && y >= 418 && y < 434) { // channel 1's bar
                expected = rgb(0, 20, 0);
            }
            ASSERT_EQ(canvas.pixel(x, y), expected) << x << "," << y;
        }
    }
    paintColorBars(canvas, doc->colorLine, -1, 0, 511, true);
    EXPECT_EQ(canvas.pixel(56, 394), rgb(0, 10, 10));
    EXPECT_EQ(canvas.pixel(567, 457), rgb(30, 30, 0));
    // Four bars of 16 rows over dots 0..511; nothing else in rows 370..458.
    EXPECT_EQ(test::countColour(canvas, kUntouched, {55, 370, 569, 459}), 89 * 514 - 4 * 16 * 512);
}

// Every pixel of the surface against where the rules put dot j: position j (directions 0, 1) or
// L - 1 - j (2, 3) along, `thickness` pixels across, only dots first..last, clipped.
TEST(GradationRender, GradationPlacesEachDotByItsDirection) {
    struct Row {
        int direction, length, left, top, thickness, first, last, width, height;
        bool cmy;
    };
    const Row rows[] = {
        {0, 200, 5, 7, 3, 0, 199, 220, 220, false}, {1, 200, 5, 7, 3, 0, 199, 220, 220, false},
        {2, 200, 5, 7, 3, 0, 199, 220, 220, false}, {3, 200, 5, 7, 3, 0, 199, 220, 220, true},
        {2, 100, 0, 0, 1, 40, 49, 120, 10, false},  {0, 100, 3, 6, 8, 10, 12, 120, 10, false},
    };
    for (const Row& r : rows) {
        auto doc = test::flatLevels(r.length, 0, 0, 0);
        for (int j = 0; j < r.length; ++j) {
            doc->colorLine[0][j].y = CanvasGeometry::levelY(j); // dot j has red level j
        }
        Surface s(r.width, r.height, kUntouched);
        paintGradation(s, doc->colorLine, r.left, r.top, r.length, r.thickness, r.first, r.last,
                       r.direction, r.cmy);
        const bool vertical = r.direction & 1;
        for (int y = 0; y < r.height; ++y) {
            for (int x = 0; x < r.width; ++x) {
                const int along = vertical ? y - r.top : x - r.left;
                const int across = vertical ? x - r.left : y - r.top;
                const int dot = r.direction >= 2 ? r.length - 1 - along : along;
                Color expected = kUntouched;
                if (across >= 0 && across < r.thickness && dot >= r.first && dot <= r.last) {
                    expected = r.cmy ? rgb(255 - dot, 255, 255) : rgb(dot, 0, 0);
                }
                ASSERT_EQ(s.pixel(x, y), expected)
                    << "direction " << r.direction << " at " << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace spectrane
