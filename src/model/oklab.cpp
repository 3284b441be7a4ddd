#include "model/oklab.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace spectrane {

namespace {

// Below this chroma the hue is rounding noise.
constexpr double kNeutralChroma = 1e-7;
// CSS Color 4's just noticeable difference in OKLab and the bisection's resolution.
constexpr double kJnd = 0.02;
constexpr double kEpsilon = 0.0001;
// Beyond any display's chroma; it keeps the bisection to a few steps whatever comes in.
constexpr double kMaxChroma = 2.0;

constexpr double kDegree = std::numbers::pi / 180.0;

// Decoding of the 256 codes, and the linear values at the midpoints between neighbouring codes:
// a value at or above threshold[k - 1] encodes to at least k, which rounds to the nearest code
// without a pow per colour. start[i] is the code of i / kBins, where the walk up begins (the
// bins are finer than the codes near black, so it is a step or two).
constexpr int kBins = 4096;
struct SrgbTables {
    std::array<double, 256> linear{};
    std::array<double, 255> threshold{};
    std::array<std::uint8_t, kBins + 1> start{};
};

SrgbTables makeTables() {
    SrgbTables t;
    for (int k = 0; k < 256; ++k) {
        t.linear[k] = srgbToLinear(k / 255.0);
    }
    for (int k = 1; k < 256; ++k) {
        t.threshold[k - 1] = srgbToLinear((k - 0.5) / 255.0);
    }
    for (int i = 0; i <= kBins; ++i) {
        const double v = static_cast<double>(i) / kBins;
        t.start[i] = static_cast<std::uint8_t>(
            std::upper_bound(t.threshold.begin(), t.threshold.end(), v) - t.threshold.begin());
    }
    return t;
}

const SrgbTables& tables() {
    static const SrgbTables t = makeTables();
    return t;
}

// 8-bit code of linear light v, clipped to 0..1, rounded to the nearest.
int encode(const SrgbTables& t, double v) {
    if (!(v > 0.0)) {
        return 0;
    }
    if (v >= 1.0) {
        return 255;
    }
    int code = t.start[static_cast<int>(v * kBins)];
    while (code < 255 && v >= t.threshold[code]) {
        ++code;
    }
    return code;
}

using Linear = std::array<double, 3>;

Color encodeColor(const Linear& v) {
    const SrgbTables& t = tables();
    return rgb(encode(t, v[0]), encode(t, v[1]), encode(t, v[2]));
}

bool inGamut(const Linear& v) {
    return v[0] >= 0.0 && v[0] <= 1.0 && v[1] >= 0.0 && v[1] <= 1.0 && v[2] >= 0.0 && v[2] <= 1.0;
}

// Clipping the encoded values to 0..1 is clipping linear light: the curve keeps 0 and 1.
Linear clip(const Linear& v) {
    return {std::clamp(v[0], 0.0, 1.0), std::clamp(v[1], 0.0, 1.0), std::clamp(v[2], 0.0, 1.0)};
}

// Ottosson's LMS (cube-rooted) to linear sRGB.
Linear linearFromLms(double l_, double m_, double s_) {
    const double l = l_ * l_ * l_;
    const double m = m_ * m_ * m_;
    const double s = s_ * s_ * s_;
    return {4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s,
            -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s,
            -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s};
}

} // namespace

double srgbToLinear(double encoded) {
    const double magnitude = std::abs(encoded);
    const double v =
        magnitude <= 0.04045 ? magnitude / 12.92 : std::pow((magnitude + 0.055) / 1.055, 2.4);
    return std::copysign(v, encoded);
}

double linearToSrgb(double linear) {
    const double magnitude = std::abs(linear);
    const double v =
        magnitude <= 0.0031308 ? magnitude * 12.92 : 1.055 * std::pow(magnitude, 1.0 / 2.4) - 0.055;
    return std::copysign(v, linear);
}

OkLab oklabFromLinearSrgb(double r, double g, double b) {
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

std::array<double, 3> linearSrgbFromOklab(const OkLab& lab) {
    return linearFromLms(lab.l + 0.3963377774 * lab.a + 0.2158037573 * lab.b,
                         lab.l - 0.1055613458 * lab.a - 0.0638541728 * lab.b,
                         lab.l - 0.0894841775 * lab.a - 1.2914855480 * lab.b);
}

OkLab oklabOf(Color srgb) {
    const SrgbTables& t = tables();
    return oklabFromLinearSrgb(t.linear[redOf(srgb)], t.linear[greenOf(srgb)],
                               t.linear[blueOf(srgb)]);
}

OkLch toOklch(const OkLab& lab) {
    const double c = std::sqrt(lab.a * lab.a + lab.b * lab.b);
    if (!(c >= kNeutralChroma)) {
        return {lab.l, c, 0.0};
    }
    double h = std::atan2(lab.b, lab.a) / kDegree;
    if (h < 0.0) {
        h += 360.0;
    }
    return {lab.l, c, h >= 360.0 ? 0.0 : h}; // -1e-17 + 360 rounds to 360
}

OkLab toOklab(const OkLch& lch) {
    return {lch.l, lch.c * std::cos(lch.h * kDegree), lch.c * std::sin(lch.h * kDegree)};
}

double deltaEOK(const OkLab& p, const OkLab& q) {
    const double dl = p.l - q.l;
    const double da = p.a - q.a;
    const double db = p.b - q.b;
    return std::sqrt(dl * dl + da * da + db * db);
}

GamutMapped gamutMapToSrgb(const OkLch& lch) {
    const double l = std::isnan(lch.l) ? 0.0 : lch.l;
    const double c = lch.c > 0.0 ? std::min(lch.c, kMaxChroma) : 0.0;
    const double h = std::isfinite(lch.h) ? lch.h * kDegree : 0.0;
    const double ca = std::cos(h);
    const double sa = std::sin(h);
    // Along the line of constant L and h, the cube-rooted LMS are L + chroma * k.
    const double kl = 0.3963377774 * ca + 0.2158037573 * sa;
    const double km = -0.1055613458 * ca - 0.0638541728 * sa;
    const double ks = -0.0894841775 * ca - 1.2914855480 * sa;
    const auto linearAt = [&](double chroma) {
        return linearFromLms(l + chroma * kl, l + chroma * km, l + chroma * ks);
    };
    // Distance from the colour at `chroma` to the clipped colour `clipped`.
    const auto clipDistance = [&](double chroma, const Linear& clipped) {
        return deltaEOK(oklabFromLinearSrgb(clipped[0], clipped[1], clipped[2]),
                        {l, chroma * ca, chroma * sa});
    };

    const Linear origin = linearAt(c);
    const bool mapped = !inGamut(origin);
    if (l >= 1.0) {
        return {rgb(255, 255, 255), mapped};
    }
    if (l <= 0.0) {
        return {rgb(0, 0, 0), mapped};
    }
    if (!mapped) {
        return {encodeColor(origin), false};
    }
    Linear clipped = clip(origin);
    if (clipDistance(c, clipped) < kJnd) {
        return {encodeColor(clipped), true};
    }
    double low = 0.0;
    double high = c;
    bool lowInGamut = true; // once a clipped colour is taken as low, no later one is in gamut
    while (high - low > kEpsilon) {
        const double chroma = (low + high) / 2;
        const Linear current = linearAt(chroma);
        if (lowInGamut && inGamut(current)) {
            low = chroma;
            continue;
        }
        clipped = clip(current);
        const double e = clipDistance(chroma, clipped);
        if (e < kJnd) {
            if (kJnd - e < kEpsilon) {
                break;
            }
            lowInGamut = false;
            low = chroma;
        } else {
            high = chroma;
        }
    }
    return {encodeColor(clipped), true};
}

} // namespace spectrane
