// TEMPORARY STUB (replaced by the oklab branch)
#include "model/oklab.h"
#include <algorithm>
#include <cmath>
#include <numbers>
namespace spectrane {
double srgbToLinear(double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); }
double linearToSrgb(double v) { return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055; }
OkLab oklabFromLinearSrgb(double r, double g, double b) {
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}
std::array<double, 3> linearSrgbFromOklab(const OkLab& c) {
    double l = c.l + 0.3963377774 * c.a + 0.2158037573 * c.b;
    double m = c.l - 0.1055613458 * c.a - 0.0638541728 * c.b;
    double s = c.l - 0.0894841775 * c.a - 1.2914855480 * c.b;
    l = l * l * l; m = m * m * m; s = s * s * s;
    return {4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s,
            -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s,
            -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s};
}
OkLab oklabOf(Color c) {
    return oklabFromLinearSrgb(srgbToLinear(redOf(c) / 255.0), srgbToLinear(greenOf(c) / 255.0),
                               srgbToLinear(blueOf(c) / 255.0));
}
OkLch toOklch(const OkLab& c) {
    double h = std::atan2(c.b, c.a) * 180 / std::numbers::pi;
    if (h < 0) h += 360;
    const double ch = std::hypot(c.a, c.b);
    return {c.l, ch, ch < 1e-9 ? 0.0 : h};
}
OkLab toOklab(const OkLch& c) {
    const double r = c.h * std::numbers::pi / 180;
    return {c.l, c.c * std::cos(r), c.c * std::sin(r)};
}
double deltaEOK(const OkLab& p, const OkLab& q) { return std::sqrt((p.l-q.l)*(p.l-q.l)+(p.a-q.a)*(p.a-q.a)+(p.b-q.b)*(p.b-q.b)); }
namespace {
bool inGamut(const std::array<double, 3>& v) {
    return std::all_of(v.begin(), v.end(), [](double x) { return x >= -1e-9 && x <= 1 + 1e-9; });
}
Color encode(const std::array<double, 3>& v) {
    auto e = [](double x) { return static_cast<int>(std::lround(255 * linearToSrgb(std::clamp(x, 0.0, 1.0)))); };
    return rgb(e(v[0]), e(v[1]), e(v[2]));
}
}
GamutMapped gamutMapToSrgb(const OkLch& c) {
    if (c.l >= 1) return {rgb(255, 255, 255), false};
    if (c.l <= 0) return {rgb(0, 0, 0), false};
    auto v = linearSrgbFromOklab(toOklab(c));
    if (inGamut(v)) return {encode(v), false};
    double lo = 0, hi = c.c;
    while (hi - lo > 0.0001) {
        const double mid = (lo + hi) / 2;
        if (inGamut(linearSrgbFromOklab(toOklab({c.l, mid, c.h})))) lo = mid; else hi = mid;
    }
    return {encode(linearSrgbFromOklab(toOklab({c.l, lo, c.h}))), true};
}
}
