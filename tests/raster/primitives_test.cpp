#include "raster/primitives.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <utility>

namespace spectrane {
namespace {

constexpr Color kInk = rgb(255, 255, 255);

using PixelSet = std::set<std::pair<int, int>>;

PixelSet pixelsOf(const Surface& s, Color c) {
    PixelSet out;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if (s.pixel(x, y) == c) {
                out.insert({x, y});
            }
        }
    }
    return out;
}

int countNonZero(const Surface& s) {
    int n = 0;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            n += s.pixel(x, y) != 0 ? 1 : 0;
        }
    }
    return n;
}

TEST(DrawLine, OmitsItsEndPixelInEveryDirection) {
    Surface s(40, 40);
    DrawLine(s, 10, 5, 20, 5, kInk);
    PixelSet expected;
    for (int x = 10; x < 20; ++x) {
        expected.insert({x, 5});
    }
    EXPECT_EQ(pixelsOf(s, kInk), expected);

    s.fill(0);
    DrawLine(s, 20, 5, 10, 5, kInk);
    expected.clear();
    for (int x = 11; x <= 20; ++x) {
        expected.insert({x, 5});
    }
    EXPECT_EQ(pixelsOf(s, kInk), expected);

    s.fill(0);
    DrawLine(s, 3, 30, 3, 2, kInk);
    expected.clear();
    for (int y = 3; y <= 30; ++y) {
        expected.insert({3, y});
    }
    EXPECT_EQ(pixelsOf(s, kInk), expected);

    s.fill(0);
    DrawLine(s, 0, 0, 5, 5, kInk);
    EXPECT_EQ(pixelsOf(s, kInk), (PixelSet{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}));

    s.fill(0);
    DrawLine(s, 7, 7, 7, 7, kInk);
    EXPECT_EQ(countNonZero(s), 0);
}

TEST(DrawLine, ShallowLineHasOnePixelPerColumnNearTheIdealLine) {
    Surface s(40, 40);
    DrawLine(s, 1, 2, 31, 12, kInk);
    const PixelSet got = pixelsOf(s, kInk);
    EXPECT_EQ(got.size(), 30u);
    for (const auto& [x, y] : got) {
        const double ideal = 2.0 + (x - 1) * 10.0 / 30.0;
        EXPECT_LE(std::abs(y - ideal), 0.5) << x;
    }
}

TEST(DrawLine, FarEndpointsGiveTheSamePixelsAsTheVisiblePart) {
    // Slope 3/10 through (0, 0): the pixels on the surface do not depend on how far away the
    // ends are.
    Surface s(64, 32);
    DrawLine(s, -1000000000, -300000000, 1000000000, 300000000, kInk);
    PixelSet expected;
    for (int x = 0; x < 64; ++x) {
        const int y = static_cast<int>(std::floor(0.3 * x + 0.5));
        if (y < 32) {
            expected.insert({x, y});
        }
    }
    EXPECT_EQ(pixelsOf(s, kInk), expected);
}

TEST(FillBox, IncludesRightColumnAndBottomRow) {
    Surface s(12, 12);
    FillBox(s, 2, 3, 5, 7, kInk);
    PixelSet expected;
    for (int y = 3; y <= 7; ++y) {
        for (int x = 2; x <= 5; ++x) {
            expected.insert({x, y});
        }
    }
    EXPECT_EQ(pixelsOf(s, kInk), expected);

    s.fill(0);
    FillBox(s, 5, 5, 4, 8, kInk); // inverted
    FillBox(s, 5, 5, 8, 4, kInk);
    EXPECT_EQ(countNonZero(s), 0);

    FillBox(s, 9, 9, 9, 9, kInk); // one pixel
    EXPECT_EQ(pixelsOf(s, kInk), (PixelSet{{9, 9}}));
}

TEST(DrawOutlinedBox, OutlinesInclusiveEdgesAndLeavesTheInside) {
    Surface s(12, 12, rgb(1, 2, 3));
    DrawOutlinedBox(s, 2, 2, 6, 5, kInk);
    for (int x = 2; x <= 6; ++x) {
        EXPECT_EQ(s.pixel(x, 2), kInk);
        EXPECT_EQ(s.pixel(x, 5), kInk);
    }
    for (int y = 2; y <= 5; ++y) {
        EXPECT_EQ(s.pixel(2, y), kInk);
        EXPECT_EQ(s.pixel(6, y), kInk);
    }
    EXPECT_EQ(s.pixel(3, 3), rgb(1, 2, 3));
    EXPECT_EQ(s.pixel(7, 5), rgb(1, 2, 3));
    EXPECT_EQ(s.pixel(6, 6), rgb(1, 2, 3));
    EXPECT_EQ(pixelsOf(s, kInk).size(), 14u);
}

TEST(DrawBevel, LightTopLeftDarkBottomRight) {
    Surface s(20, 20);
    DrawBevel(s, 2, 3, 10, 8);
    for (int x = 2; x < 10; ++x) {
        EXPECT_EQ(s.pixel(x, 3), kBevelLight) << x;
    }
    for (int y = 4; y <= 8; ++y) {
        EXPECT_EQ(s.pixel(2, y), kBevelLight) << y;
    }
    for (int y = 3; y <= 8; ++y) {
        EXPECT_EQ(s.pixel(10, y), kBevelDark) << y;
    }
    for (int x = 3; x <= 9; ++x) {
        EXPECT_EQ(s.pixel(x, 8), kBevelDark) << x;
    }
    EXPECT_EQ(s.pixel(5, 5), 0u);
    EXPECT_EQ(countNonZero(s), 8 + 5 + 6 + 7);
}

TEST(DrawPointMarker, RadiusTwoIsARingInsideItsFourByFourBox) {
    Surface s(20, 20);
    DrawPointMarker(s, 10, 10, 2, kInk);
    // Rows 9..12, columns 9..12: a ring without the corners and the inner 2 x 2.
    const PixelSet expected = {{10, 9}, {11, 9},  {9, 10},  {12, 10},
                               {9, 11}, {12, 11}, {10, 12}, {11, 12}};
    PixelSet got = pixelsOf(s, kInk);
    for (const auto& p : expected) {
        EXPECT_TRUE(got.count(p)) << p.first << "," << p.second;
    }
    for (const auto& [x, y] : got) {
        EXPECT_GE(x, 9);
        EXPECT_LE(x, 12);
        EXPECT_GE(y, 9);
        EXPECT_LE(y, 12);
    }
    EXPECT_FALSE(got.count({9, 9}));
    EXPECT_FALSE(got.count({12, 12}));
    EXPECT_FALSE(got.count({10, 10}));
    EXPECT_FALSE(got.count({11, 11}));
}

TEST(DrawEllipse, BigCircleIsSymmetricAndTouchesEverySideOfItsBox) {
    Surface s(50, 50);
    DrawEllipse(s, 5, 6, 38, 39, kInk); // 33 x 33
    const PixelSet got = pixelsOf(s, kInk);
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (const auto& [x, y] : got) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
        EXPECT_TRUE(got.count({5 + 37 - x, y})) << "mirror x " << x << "," << y;
        EXPECT_TRUE(got.count({x, 6 + 38 - y})) << "mirror y " << x << "," << y;
    }
    EXPECT_EQ(minX, 5);
    EXPECT_EQ(maxX, 37);
    EXPECT_EQ(minY, 6);
    EXPECT_EQ(maxY, 38);
    EXPECT_EQ(s.pixel(21, 22), 0u); // centre stays hollow
    EXPECT_EQ(s.pixel(5, 6), 0u);   // corner outside the circle
}

TEST(FillPolygon, FillsInsideAndOutlinesEveryEdge) {
    Surface s(40, 40);
    const Point triangle[] = {{5, 5}, {30, 5}, {5, 30}};
    const Color fill = rgb(200, 0, 0);
    FillPolygon(s, triangle, kInk, fill);
    EXPECT_EQ(s.pixel(5, 5), kInk);
    EXPECT_EQ(s.pixel(30, 5), kInk);
    EXPECT_EQ(s.pixel(5, 30), kInk);
    EXPECT_EQ(s.pixel(17, 5), kInk);
    EXPECT_EQ(s.pixel(10, 10), fill);
    EXPECT_EQ(s.pixel(8, 25), fill);
    EXPECT_EQ(s.pixel(25, 25), 0u);
    EXPECT_EQ(s.pixel(31, 5), 0u);
}

TEST(CopyBlock, CopiesOnlyWhatLiesOnBothSurfacesAndOrCombines) {
    Surface src(8, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            src.setPixel(x, y, rgb(x, y, 1));
        }
    }
    Surface dst(6, 6, rgb(0, 0, 0x10));
    CopyBlock(dst, -2, 3, src, 1, 1, 5, 5);
    // Source x 1 lands at -2 (cut); source x 3 lands at 0.
    EXPECT_EQ(dst.pixel(0, 3), rgb(3, 1, 1));
    EXPECT_EQ(dst.pixel(2, 5), rgb(5, 3, 1));
    EXPECT_EQ(dst.pixel(3, 3), rgb(0, 0, 0x10));
    EXPECT_EQ(dst.pixel(0, 2), rgb(0, 0, 0x10));

    Surface a(4, 4, rgb(0, 160, 0));
    Surface b(4, 4, rgb(0, 0, 192));
    CopyBlockOr(a, 1, 1, b, 0, 0, 2, 2);
    EXPECT_EQ(a.pixel(1, 1), rgb(0, 160, 192));
    EXPECT_EQ(a.pixel(2, 2), rgb(0, 160, 192));
    EXPECT_EQ(a.pixel(3, 3), rgb(0, 160, 0));
    EXPECT_EQ(a.pixel(0, 0), rgb(0, 160, 0));

    // Overlapping copy within one surface behaves as if through a temporary.
    Surface line(6, 1);
    for (int x = 0; x < 6; ++x) {
        line.setPixel(x, 0, static_cast<Color>(x + 1));
    }
    CopyBlock(line, 1, 0, line, 0, 0, 5, 1);
    for (int x = 1; x < 6; ++x) {
        EXPECT_EQ(line.pixel(x, 0), static_cast<Color>(x));
    }
}

TEST(Primitives, CoordinatesFarOutsideNeverWriteOutOfBounds) {
    const int far[] = {INT_MIN, INT_MIN + 1, -1000000000, -70000,      -1,     0,
                       5,       70000,       1000000000,  INT_MAX - 1, INT_MAX};
    Surface s(16, 16);
    for (const int a : far) {
        for (const int b : far) {
            DrawLine(s, a, b, b, a, kInk);
            DrawLine(s, a, a, b, b, kInk);
            DrawLine(s, a, 3, b, 4, kInk);
            FillBox(s, a, b, b, a, kInk);
            DrawOutlinedBox(s, a, a, b, b, kInk);
            DrawBevel(s, a, a, b, b);
            DrawEllipse(s, a, a, b, b, kInk);
            DrawPointMarker(s, a, b, 2, kInk);
            DrawPointMarker(s, a, b, 16, kInk);
            const Point poly[] = {{a, b}, {b, a}, {a, a}, {3, 3}};
            FillPolygon(s, poly, kInk, kInk);
            CopyBlock(s, a, b, s, b, a, 8, 8);
            CopyBlockOr(s, a, b, s, 0, 0, b, a);
            drawVerticalLine(s, a, a, b, kInk);
            fillRect(s, {a, b, b, a}, kInk);
        }
    }
    // Everything drawn wholly outside leaves the surface untouched.
    Surface clean(16, 16);
    DrawLine(clean, INT_MIN, INT_MIN, INT_MIN + 100, INT_MAX, kInk);
    DrawLine(clean, INT_MAX, -5, INT_MAX, 40, kInk);
    FillBox(clean, INT_MAX, 0, INT_MAX, 10, kInk);
    FillBox(clean, 16, 0, INT_MAX, INT_MAX, kInk);
    DrawOutlinedBox(clean, -30, -30, -1, 40, kInk);
    DrawPointMarker(clean, INT_MAX, INT_MAX, 2, kInk);
    DrawPointMarker(clean, INT_MIN, 3, 2, kInk);
    DrawEllipse(clean, 17, 0, INT_MAX, INT_MAX, kInk);
    drawVerticalLine(clean, INT_MAX, 0, 10, kInk);
    drawVerticalLine(clean, 3, INT_MAX, INT_MAX, kInk);
    CopyBlock(clean, INT_MAX, 0, s, 0, 0, INT_MAX, INT_MAX);
    CopyBlock(clean, 0, 0, s, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(countNonZero(clean), 0);
}

TEST(VerticalLine, EndPixelOmittedEitherWay) {
    Surface s(4, 10);
    drawVerticalLine(s, 1, 2, 6, kInk);
    EXPECT_EQ(pixelsOf(s, kInk), (PixelSet{{1, 2}, {1, 3}, {1, 4}, {1, 5}}));
    s.fill(0);
    drawVerticalLine(s, 1, 6, 2, kInk);
    EXPECT_EQ(pixelsOf(s, kInk), (PixelSet{{1, 3}, {1, 4}, {1, 5}, {1, 6}}));
}

} // namespace
} // namespace spectrane
