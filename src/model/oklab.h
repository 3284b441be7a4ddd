// OKLab and OKLCh (Björn Ottosson, 2020) of sRGB colours (IEC 61966-2-1), and the mapping of an
// OKLCh colour into the sRGB gamut that CSS Color 4 uses: chroma reduced at constant lightness
// and hue until clipping what is left no longer makes a visible difference.
#pragma once

#include "raster/surface.h"

#include <array>

namespace spectrane {

// l: 0 (black) .. 1 (white); a, b: roughly -0.4 .. 0.4.
struct OkLab {
    double l = 0.0;
    double a = 0.0;
    double b = 0.0;
};

// l as OkLab; c >= 0 (sRGB reaches about 0.32); h in degrees, [0, 360).
struct OkLch {
    double l = 0.0;
    double c = 0.0;
    double h = 0.0;
};

// The sRGB transfer function: encoded 0..1 to linear light 0..1 and back. Defined for any
// value; below 0 the curve is mirrored (the sign is kept).
double srgbToLinear(double encoded);
double linearToSrgb(double linear);

// OKLab of linear sRGB (any values, out-of-gamut ones included) and back.
OkLab oklabFromLinearSrgb(double r, double g, double b);
std::array<double, 3> linearSrgbFromOklab(const OkLab& lab);

// OKLab of an 8-bit sRGB colour (a table lookup decodes it).
OkLab oklabOf(Color srgb);

// Polar form and back. A colour whose chroma is below 1e-7 (what rounding leaves of a grey)
// is neutral and gets hue 0.
OkLch toOklch(const OkLab& lab);
OkLab toOklab(const OkLch& lch);

// Euclidean distance in OKLab; 1 is black to white.
double deltaEOK(const OkLab& p, const OkLab& q);

// An OKLCh colour brought into 8-bit sRGB. `mapped`: the colour as given lies outside the
// sRGB gamut (lightness or chroma had to give).
struct GamutMapped {
    Color color = 0;
    bool mapped = false;
};

// CSS Color 4 gamut mapping ("binary search gamut mapping with local MINDE"): L >= 1 is white,
// L <= 0 black, a colour in gamut is itself; otherwise the chroma is bisected at constant L and
// h (JND 0.02, epsilon 0.0001) for the largest whose clipped colour is within the JND of it,
// and that clipped colour is the result. Rounded to the nearest 8-bit code. A NaN lightness
// counts as 0, a NaN or negative chroma as 0, one above 2 (far beyond any display; infinity
// too) as 2, a non-finite hue as 0.
GamutMapped gamutMapToSrgb(const OkLch& lch);

} // namespace spectrane
