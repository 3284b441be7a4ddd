#include "raster/surface.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

int countColor(const Surface& s, Color c) {
    int n = 0;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            n += s.pixel(x, y) == c;
        }
    }
    return n;
}

TEST(Surface, FilledRectanglesExcludeRightAndBottomAndClip) {
    Surface s(10, 8, 0);
    fillRect(s, {2, 3, 5, 4}, 7);
    EXPECT_EQ(countColor(s, 7), 3);
    EXPECT_EQ(s.pixel(2, 3), 7u);
    EXPECT_EQ(s.pixel(4, 3), 7u);
    EXPECT_EQ(s.pixel(5, 3), 0u);
    EXPECT_EQ(s.pixel(2, 4), 0u);

    fillRect(s, {-100, -100, 1, 1}, 9); // clipped to the one corner pixel
    EXPECT_EQ(countColor(s, 9), 1);
    fillRect(s, {20, 20, 30, 30}, 5); // wholly outside
    fillRect(s, {6, 6, 2, 2}, 5);     // empty
    EXPECT_EQ(countColor(s, 5), 0);

    drawVerticalLine(s, 9, 0, 8, 4); // end pixel omitted: rows 0..7, all on the surface
    EXPECT_EQ(countColor(s, 4), 8);
    drawVerticalLine(s, 0, 7, 5, 6); // upwards: rows 7 and 6
    EXPECT_EQ(s.pixel(0, 7), 6u);
    EXPECT_EQ(s.pixel(0, 6), 6u);
    EXPECT_EQ(s.pixel(0, 5), 0u);
}

} // namespace
} // namespace spectrane
