// OKLab against Ottosson's published test colours, the gamut mapping against a plain
// transcription of the CSS Color 4 algorithm.
#include "model/oklab.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace spectrane {
namespace {

// Ottosson's table of XYZ (D65) test colours and their OKLab (three decimals), taken to linear
// sRGB through the XYZ -> sRGB matrix of IEC 61966-2-1 (four decimals, hence the tolerance).
TEST(Oklab, OttossonsTestColoursThroughTheSrgbMatrix) {
    const std::array<double, 6> rows[] = {
        {0.950, 1.000, 1.089, 1.000, 0.000, 0.000},
        {1.000, 0.000, 0.000, 0.450, 1.236, -0.019},
        {0.000, 1.000, 0.000, 0.922, -0.671, 0.263},
        {0.000, 0.000, 1.000, 0.153, -1.415, -0.449},
    };
    for (const auto& [x, y, z, l, a, b] : rows) {
        const std::array<double, 3> lin = {3.2406 * x - 1.5372 * y - 0.4986 * z,
                                           -0.9689 * x + 1.8758 * y + 0.0415 * z,
                                           0.0557 * x - 0.2040 * y + 1.0570 * z};
        const OkLab lab = oklabFromLinearSrgb(lin[0], lin[1], lin[2]);
        EXPECT_TRUE(std::abs(lab.l - l) < 2e-3 && std::abs(lab.a - a) < 2e-3 &&
                    std::abs(lab.b - b) < 2e-3)
            << x << " " << y << " " << z;
        // The published matrices are each other's inverse to about seven digits.
        const auto back = linearSrgbFromOklab(lab);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(back[i], lin[i], 1e-6);
        }
    }
    // The transfer function's two pieces meet, and it is mirrored below 0.
    EXPECT_NEAR(srgbToLinear(0.04045), 0.04045 / 12.92, 1e-7);
    EXPECT_NEAR(srgbToLinear(0.5), 0.214041, 1e-6);
    EXPECT_DOUBLE_EQ(linearToSrgb(srgbToLinear(-0.7)), -0.7);
}

// The largest difference of a channel of `c` from the levels r, g, b.
long farthest(Color c, long r, long g, long b) {
    return std::max({std::abs(redOf(c) - r), std::abs(greenOf(c) - g), std::abs(blueOf(c) - b)});
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
Srgb cssClip(const OkLch& c) {
    const Srgb s = cssToSrgb(c);
    return {std::clamp(s.r, 0.0, 1.0), std::clamp(s.g, 0.0, 1.0), std::clamp(s.b, 0.0, 1.0)};
}
bool cssInGamut(const OkLch& c) {
    const Srgb s = cssToSrgb(c);
    const Srgb k = cssClip(c);
    return s.r == k.r && s.g == k.g && s.b == k.b;
}
double cssDeltaEOK(const Srgb& clipped, const OkLch& current) {
    const OkLab p = oklabFromLinearSrgb(srgbToLinear(clipped.r), srgbToLinear(clipped.g),
                                        srgbToLinear(clipped.b));
    const OkLab q = toOklab(current);
    return std::hypot(p.l - q.l, p.a - q.a, p.b - q.b);
}
Srgb cssGamutMap(const OkLch& origin) {
    if (origin.l >= 1 || origin.l <= 0) {
        const double v = origin.l >= 1 ? 1 : 0;
        return {v, v, v};
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
    for (double l = -0.05; l <= 1.06; l += 0.047) {
        for (double c = 0.0; c <= 0.5; c += 0.0297) {
            for (double h = 0.0; h < 360.0; h += 9.7) {
                const OkLch lch{l, c, h};
                const Srgb want = cssGamutMap(lch);
                const GamutMapped got = gamutMapToSrgb(lch);
                outside += !cssInGamut(lch);
                ASSERT_EQ(got.mapped, !cssInGamut(lch)) << l << " " << c << " " << h;
                ASSERT_LE(farthest(got.color, std::lround(want.r * 255), std::lround(want.g * 255),
                                   std::lround(want.b * 255)),
                          1)
                    << l << " " << c << " " << h;
            }
        }
    }
    EXPECT_GT(outside, 10000); // most of the grid is out of gamut
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
