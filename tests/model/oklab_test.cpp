// OKLab against Ottosson's published test colours, the sRGB round trip, and the gamut mapping
// against a plain transcription of the CSS Color 4 algorithm.
#include "model/oklab.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace spectrane {
namespace {

// Ottosson's table of XYZ (D65) test colours and their OKLab (three decimals), taken to linear
// sRGB through the XYZ -> sRGB matrix of IEC 61966-2-1 (four decimals, hence the tolerance).
TEST(Oklab, OttossonsTestColoursThroughTheSrgbMatrix) {
    struct Row {
        double x, y, z, l, a, b;
    };
    const Row rows[] = {
        {0.950, 1.000, 1.089, 1.000, 0.000, 0.000},
        {1.000, 0.000, 0.000, 0.450, 1.236, -0.019},
        {0.000, 1.000, 0.000, 0.922, -0.671, 0.263},
        {0.000, 0.000, 1.000, 0.153, -1.415, -0.449},
    };
    for (const Row& row : rows) {
        const double r = 3.2406 * row.x - 1.5372 * row.y - 0.4986 * row.z;
        const double g = -0.9689 * row.x + 1.8758 * row.y + 0.0415 * row.z;
        const double b = 0.0557 * row.x - 0.2040 * row.y + 1.0570 * row.z;
        const OkLab lab = oklabFromLinearSrgb(r, g, b);
        EXPECT_NEAR(lab.l, row.l, 2e-3) << row.x << " " << row.y << " " << row.z;
        EXPECT_NEAR(lab.a, row.a, 2e-3) << row.x << " " << row.y << " " << row.z;
        EXPECT_NEAR(lab.b, row.b, 2e-3) << row.x << " " << row.y << " " << row.z;
        // The published matrices are each other's inverse to about seven digits.
        const auto back = linearSrgbFromOklab(lab);
        EXPECT_NEAR(back[0], r, 1e-6);
        EXPECT_NEAR(back[1], g, 1e-6);
        EXPECT_NEAR(back[2], b, 1e-6);
    }
    // The transfer function's two pieces meet, and it is mirrored below 0.
    EXPECT_NEAR(srgbToLinear(0.04045), 0.04045 / 12.92, 1e-7);
    EXPECT_NEAR(srgbToLinear(0.5), 0.214041, 1e-6);
    EXPECT_DOUBLE_EQ(linearToSrgb(srgbToLinear(-0.7)), -0.7);
}

// Every 8-bit colour of a grid comes back through OKLCh within one level; greys have hue 0.
TEST(Oklab, SrgbThroughOklchComesBack) {
    for (int r = 0; r < 256; r += 15) {
        for (int g = 0; g < 256; g += 15) {
            for (int b = 0; b < 256; b += 15) {
                const OkLch lch = toOklch(oklabOf(rgb(r, g, b)));
                ASSERT_GE(lch.h, 0.0);
                ASSERT_LT(lch.h, 360.0);
                if (r == g && g == b) {
                    ASSERT_EQ(lch.h, 0.0) << r;
                }
                const Color c = gamutMapToSrgb(lch).color;
                ASSERT_LE(std::abs(redOf(c) - r), 1) << r << " " << g << " " << b;
                ASSERT_LE(std::abs(greenOf(c) - g), 1) << r << " " << g << " " << b;
                ASSERT_LE(std::abs(blueOf(c) - b), 1) << r << " " << g << " " << b;
            }
        }
    }
}

// CSS Color 4's "binary search gamut mapping with local MINDE", transcribed step by step in the
// encoded sRGB destination space, without the shortcuts of the real one.
struct Srgb {
    double r, g, b;
};

Srgb cssToSrgb(const OkLch& c) {
    const auto lin = linearSrgbFromOklab(toOklab(c));
    return {linearToSrgb(lin[0]), linearToSrgb(lin[1]), linearToSrgb(lin[2])};
}
bool cssInGamut(const OkLch& c) {
    const Srgb s = cssToSrgb(c);
    return s.r >= 0 && s.r <= 1 && s.g >= 0 && s.g <= 1 && s.b >= 0 && s.b <= 1;
}
Srgb cssClip(const OkLch& c) {
    const Srgb s = cssToSrgb(c);
    return {std::clamp(s.r, 0.0, 1.0), std::clamp(s.g, 0.0, 1.0), std::clamp(s.b, 0.0, 1.0)};
}
double cssDeltaEOK(const Srgb& clipped, const OkLch& current) {
    const OkLab p = oklabFromLinearSrgb(srgbToLinear(clipped.r), srgbToLinear(clipped.g),
                                        srgbToLinear(clipped.b));
    const OkLab q = toOklab(current);
    return std::sqrt((p.l - q.l) * (p.l - q.l) + (p.a - q.a) * (p.a - q.a) +
                     (p.b - q.b) * (p.b - q.b));
}
Srgb cssGamutMap(const OkLch& origin) {
    if (origin.l >= 1) {
        return {1, 1, 1};
    }
    if (origin.l <= 0) {
        return {0, 0, 0};
    }
    if (cssInGamut(origin)) {
        return cssToSrgb(origin);
    }
    const double jnd = 0.02;
    const double epsilon = 0.0001;
    OkLch current = origin;
    Srgb clipped = cssClip(current);
    double e = cssDeltaEOK(clipped, current);
    if (e < jnd) {
        return clipped;
    }
    double min = 0;
    double max = origin.c;
    bool minInGamut = true;
    while (max - min > epsilon) {
        const double chroma = (min + max) / 2;
        current.c = chroma;
        if (minInGamut && cssInGamut(current)) {
            min = chroma;
            continue;
        }
        clipped = cssClip(current);
        e = cssDeltaEOK(clipped, current);
        if (e < jnd) {
            if (jnd - e < epsilon) {
                return clipped;
            }
            minInGamut = false;
            min = chroma;
        } else {
            max = chroma;
        }
    }
    return clipped;
}

TEST(Oklab, GamutMappingIsTheCssAlgorithm) {
    int outside = 0;
    for (double l = -0.05; l <= 1.06; l += 0.037) {
        for (double c = 0.0; c <= 0.5; c += 0.0237) {
            for (double h = 0.0; h < 360.0; h += 7.3) {
                const OkLch lch{l, c, h};
                const Srgb want = cssGamutMap(lch);
                const GamutMapped got = gamutMapToSrgb(lch);
                const bool out = !cssInGamut(lch);
                outside += out;
                ASSERT_EQ(got.mapped, out) << l << " " << c << " " << h;
                ASSERT_LE(std::abs(redOf(got.color) - std::lround(want.r * 255)), 1)
                    << l << " " << c << " " << h;
                ASSERT_LE(std::abs(greenOf(got.color) - std::lround(want.g * 255)), 1)
                    << l << " " << c << " " << h;
                ASSERT_LE(std::abs(blueOf(got.color) - std::lround(want.b * 255)), 1)
                    << l << " " << c << " " << h;
            }
        }
    }
    EXPECT_GT(outside, 20000); // most of the grid is out of gamut
    // What is not a colour still gives one: NaN lightness is black, NaN chroma grey, an
    // infinite chroma the most the hue has, an infinite hue red's.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(gamutMapToSrgb({nan, 0.1, 30}).color, rgb(0, 0, 0));
    EXPECT_EQ(gamutMapToSrgb({0.5, nan, 30}).color, gamutMapToSrgb({0.5, 0, 0}).color);
    EXPECT_EQ(gamutMapToSrgb({0.6, inf, 30}).color, gamutMapToSrgb({0.6, 2, 30}).color);
    EXPECT_EQ(gamutMapToSrgb({0.6, 0.3, inf}).color, gamutMapToSrgb({0.6, 0.3, 0}).color);
}

} // namespace
} // namespace spectrane
