#include "raster/primitives.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <utility>

namespace spectrane {
namespace {

using test::countColour;
using PixelSet = std::set<std::pair<int, int>>;
constexpr Color kInk = rgb(255, 255, 255);

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

// The pixels of the box l..r x t..b, both ends inclusive; with `hollow` only its edges.
PixelSet box(int l, int t, int r, int b, bool hollow = false) {
    PixelSet out;
    for (int y = t; y <= b; ++y) {
        for (int x = l; x <= r; ++x) {
            if (!hollow || x == l || x == r || y == t || y == b) {
                out.insert({x, y});
            }
        }
    }
    return out;
}

PixelSet operator|(PixelSet a, const PixelSet& b) {
    a.insert(b.begin(), b.end());
    return a;
}

// Adapters of one signature, so that a row can name the primitive it draws with.
using Draw = void (*)(Surface&, int, int, int, int);
const Draw line = [](Surface& s, int a, int b, int c, int d) { DrawLine(s, a, b, c, d, kInk); };
const Draw vline = [](Surface& s, int x, int a, int b, int) { drawVerticalLine(s, x, a, b, kInk); };
const Draw fillBox = [](Surface& s, int a, int b, int c, int d) { FillBox(s, a, b, c, d, kInk); };
const Draw rect = [](Surface& s, int a, int b, int c, int d) { fillRect(s, {a, b, c, d}, kInk); };
const Draw frame = [](Surface& s, int a, int b, int c, int d) {
    DrawOutlinedBox(s, a, b, c, d, kInk);
};
const Draw marker = [](Surface& s, int x, int y, int r, int) { DrawPointMarker(s, x, y, r, kInk); };

// Exact pixels on a 16 x 16 surface by the raster rules: a line omits its end pixel, FillBox
// and outlines include their right column and bottom row, fillRect excludes them, all clip.
TEST(Primitives, DrawExactlyThePixelsOfTheRasterRules) {
    struct Row {
        const char* what;
        Draw draw;
        int a, b, c, d;
        Color colour;
        PixelSet expected;
    };
    const Row rows[] = {
        {"line right", line, 2, 5, 9, 5, kInk, box(2, 5, 8, 5)},
        {"line left", line, 9, 5, 2, 5, kInk, box(3, 5, 9, 5)},
        {"line up", line, 3, 12, 3, 2, kInk, box(3, 3, 3, 12)},
        {"diagonal", line, 0, 0, 5, 5, kInk, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}},
        {"line to itself", line, 7, 7, 7, 7, kInk, {}},
        {"vertical down", vline, 1, 2, 6, 0, kInk, box(1, 2, 1, 5)},
        {"vertical up", vline, 1, 6, 2, 0, kInk, box(1, 3, 1, 6)},
        {"FillBox", fillBox, 2, 3, 5, 7, kInk, box(2, 3, 5, 7)},
        {"FillBox one pixel", fillBox, 9, 9, 9, 9, kInk, {{9, 9}}},
        {"FillBox inverted", fillBox, 5, 5, 4, 8, kInk, {}},
        {"FillBox upside down", fillBox, 5, 5, 8, 4, kInk, {}},
        {"fillRect", rect, 2, 3, 5, 4, kInk, box(2, 3, 4, 3)},
        {"fillRect clipped", rect, -100, -100, 1, 1, kInk, {{0, 0}}},
        {"fillRect empty", rect, 6, 6, 2, 2, kInk, {}},
        {"outline", frame, 2, 2, 6, 5, kInk, box(2, 2, 6, 5, true)},
        {"bevel light", DrawBevel, 2, 3, 10, 8, kBevelLight, box(2, 3, 9, 3) | box(2, 4, 2, 8)},
        {"bevel dark", DrawBevel, 2, 3, 10, 8, kBevelDark, box(10, 3, 10, 8) | box(3, 8, 9, 8)},
        {"marker radius 2", marker, 10, 10, 2, 0, kInk,
         box(10, 9, 11, 9) | box(9, 10, 9, 11) | box(12, 10, 12, 11) | box(10, 12, 11, 12)},
    };
    for (const Row& r : rows) {
        Surface s(16, 16);
        r.draw(s, r.a, r.b, r.c, r.d);
        EXPECT_EQ(pixelsOf(s, r.colour), r.expected) << r.what;
    }
}

// A shallow line with far ends has the pixels of its visible part, one per column within half
// a pixel of the ideal line; an ellipse is symmetric and touches each side of its box.
TEST(Primitives, LinesAndEllipsesFollowTheirIdealShapes) {
    Surface far(64, 32);
    DrawLine(far, -1000000000, -300000000, 1000000000, 300000000, kInk); // slope 3/10 through 0
    PixelSet expected;
    for (int x = 0; x < 64; ++x) {
        if (const int y = static_cast<int>(std::floor(0.3 * x + 0.5)); y < 32) {
            expected.insert({x, y});
        }
    }
    EXPECT_EQ(pixelsOf(far, kInk), expected);

    Surface e(50, 50);
    DrawEllipse(e, 5, 6, 38, 39, kInk); // 33 x 33, right and bottom exclusive
    const PixelSet ring = pixelsOf(e, kInk);
    PixelSet mirrored;
    for (const auto& [x, y] : ring) {
        mirrored.insert({42 - x, y});
        mirrored.insert({x, 44 - y});
    }
    EXPECT_EQ(mirrored, ring);
    EXPECT_EQ(countColour(e, kInk, {5, 6, 38, 39}), static_cast<int>(ring.size()));
    for (const Rect side : {Rect{5, 0, 6, 50}, {37, 0, 38, 50}, {0, 6, 50, 7}, {0, 38, 50, 39}}) {
        EXPECT_GT(countColour(e, kInk, side), 0);
    }
    EXPECT_EQ(e.pixel(21, 22), 0u); // hollow
}

// Under AddressSanitizer/UBSan: nothing is written outside, no coordinate overflows, and what
// lies wholly outside leaves the surface untouched.
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
    Surface clean(16, 16);
    DrawLine(clean, INT_MIN, INT_MIN, INT_MIN + 100, INT_MAX, kInk);
    FillBox(clean, 16, 0, INT_MAX, INT_MAX, kInk);
    DrawOutlinedBox(clean, -30, -30, -1, 40, kInk);
    DrawPointMarker(clean, INT_MAX, INT_MAX, 2, kInk);
    DrawEllipse(clean, 17, 0, INT_MAX, INT_MAX, kInk);
    drawVerticalLine(clean, 3, INT_MAX, INT_MAX, kInk);
    CopyBlock(clean, 0, 0, s, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(countColour(clean, 0), 256);
}

// An overlapping copy within one surface lands as a copy taken before the first write would,
// in every direction, plain and ORed; parts off the surface are cut.
TEST(Primitives, OverlappingCopiesOnOneSurfaceMoveTheWholeBlock) {
    const auto pattern = [](int x, int y) { return rgb(x * 16, y * 16, (x * 7 + y * 3) % 256); };
    struct Row {
        int srcX, srcY, dstX, dstY, w, h;
    };
    const Row rows[] = {{2, 2, 2, 5, 8, 8},  {2, 5, 2, 2, 8, 8}, {2, 2, 5, 2, 8, 8},
                        {5, 2, 2, 2, 8, 8},  {1, 1, 4, 3, 9, 9}, {4, 3, 1, 1, 9, 9},
                        {0, 0, 10, 12, 9, 9}};
    for (const Row& r : rows) {
        for (const bool ored : {false, true}) {
            Surface s(16, 16);
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 16; ++x) {
                    s.setPixel(x, y, pattern(x, y));
                }
            }
            // The reference: every destination pixel from the untouched source.
            Surface expected = s;
            for (int y = 0; y < r.h; ++y) {
                for (int x = 0; x < r.w; ++x) {
                    const int dx = r.dstX + x;
                    const int dy = r.dstY + y;
                    if (dx < 16 && dy < 16 && r.srcX + x < 16 && r.srcY + y < 16) {
                        const Color c = pattern(r.srcX + x, r.srcY + y);
                        expected.setPixel(dx, dy, ored ? (c | pattern(dx, dy)) : c);
                    }
                }
            }
            (ored ? CopyBlockOr : CopyBlock)(s, r.dstX, r.dstY, s, r.srcX, r.srcY, r.w, r.h);
            EXPECT_EQ(test::countDifferences(s, expected, {0, 0, 16, 16}), 0)
                << r.srcX << "," << r.srcY << " -> " << r.dstX << "," << r.dstY << " or " << ored;
        }
    }
}

} // namespace
} // namespace spectrane
