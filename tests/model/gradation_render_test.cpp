#include "model/gradation_render.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

constexpr Color kUntouched = 0x123456;

// Mixed colours are the three levels (RGB) or their complements (CMY); a channel's bar shows its
// primary (RGB) or its ink, cyan, magenta or yellow (CMY), at its level. Bar -1 is the mix.
TEST(GradationRender, MixedAndBarColoursInRgbAndCmy) {
    const std::tuple<int, int, int, bool, int, Color> rows[] = {
        {10, 20, 30, false, -1, rgb(10, 20, 30)}, {10, 20, 30, true, -1, rgb(245, 235, 225)},
        {0, 0, 0, true, -1, rgb(255, 255, 255)},  {255, 0, 0, true, -1, rgb(0, 255, 255)},
        {255, 0, 0, false, 0, rgb(255, 0, 0)},    {255, 0, 0, true, 0, rgb(0, 255, 255)},
        {10, 20, 30, false, 1, rgb(0, 20, 0)},    {10, 20, 30, false, 2, rgb(0, 0, 30)},
        {10, 20, 30, true, 1, rgb(20, 0, 20)},    {10, 20, 30, true, 2, rgb(30, 30, 0)},
    };
    for (const auto& [l0, l1, l2, cmy, bar, expected] : rows) {
        const auto doc = test::flatLevels(4, l0, l1, l2);
        const ColorLine& line = doc->colorLine;
        EXPECT_EQ(bar < 0 ? mixedColor(line, 2, cmy) : channelBarColor(line, bar, 2, cmy), expected)
            << l0 << " " << cmy << " " << bar;
    }
}

// A range of one channel repaints exactly its columns of the mixed bar and of that channel's
// bar, 16 rows each; all channels repaint the four bars.
TEST(GradationRender, ColourBarsRepaintExactlyTheRangeAndChannel) {
    auto doc = test::flatLevels(512, 10, 20, 30);
    Surface canvas(624, 490, kUntouched);
    paintColorBars(canvas, doc->colorLine, 1, 100, 120, false);
    for (int y = 0; y < 490; ++y) {
        for (int x = 0; x < 624; ++x) {
            const bool dots = x >= 156 && x <= 176;
            const Color expected = dots && y >= 370 && y < 386   ? rgb(10, 20, 30)
                                   : dots && y >= 418 && y < 434 ? rgb(0, 20, 0)
                                                                 : kUntouched;
            ASSERT_EQ(canvas.pixel(x, y), expected) << x << "," << y;
        }
    }
    paintColorBars(canvas, doc->colorLine, -1, 0, 511, true);
    EXPECT_EQ(canvas.pixel(56, 394), rgb(0, 10, 10));
    EXPECT_EQ(canvas.pixel(567, 457), rgb(30, 30, 0));
    EXPECT_EQ(test::countColour(canvas, kUntouched, {55, 370, 569, 459}), 89 * 514 - 4 * 16 * 512);
}

// Every pixel against where the rules put dot j: position j (directions 0, 1) or L - 1 - j
// (2, 3) along, `thickness` across, only dots first..last, clipped to the surface.
TEST(GradationRender, GradationPlacesEachDotByItsDirection) {
    const int rows[][9] = {
        // direction, length, left, top, thickness, first, last, surface width, height
        {0, 200, 5, 7, 3, 0, 199, 220, 220}, {1, 200, 5, 7, 3, 0, 199, 220, 220},
        {2, 200, 5, 7, 3, 0, 199, 220, 220}, {3, 200, 5, 7, 3, 0, 199, 220, 220},
        {2, 100, 0, 0, 1, 40, 49, 120, 10},  {0, 100, 3, 6, 8, 10, 12, 120, 10},
    };
    for (const auto& [d, l, left, top, thickness, first, last, w, h] : rows) {
        auto doc = test::flatLevels(l, 0, 0, 0);
        for (int j = 0; j < l; ++j) {
            doc->colorLine[0][j].y = CanvasGeometry::levelY(j); // dot j has red level j
        }
        const bool cmy = d == 3;
        Surface s(w, h, kUntouched);
        paintGradation(s, doc->colorLine, left, top, l, thickness, first, last, d, cmy);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int along = d & 1 ? y - top : x - left;
                const int across = d & 1 ? x - left : y - top;
                const int dot = d >= 2 ? l - 1 - along : along;
                const bool on = across >= 0 && across < thickness && dot >= first && dot <= last;
                ASSERT_EQ(s.pixel(x, y), !on   ? kUntouched
                                         : cmy ? rgb(255 - dot, 255, 255)
                                               : rgb(dot, 0, 0))
                    << "direction " << d << " at " << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace spectrane
