// TEMPORARY STUB (replaced by the oklab branch)
#pragma once
#include "raster/surface.h"
#include <array>
namespace spectrane {
struct OkLab { double l = 0, a = 0, b = 0; };
struct OkLch { double l = 0, c = 0, h = 0; };
double srgbToLinear(double encoded);
double linearToSrgb(double linear);
OkLab oklabFromLinearSrgb(double r, double g, double b);
std::array<double, 3> linearSrgbFromOklab(const OkLab&);
OkLab oklabOf(Color srgb);
OkLch toOklch(const OkLab&);
OkLab toOklab(const OkLch&);
double deltaEOK(const OkLab&, const OkLab&);
struct GamutMapped { Color color = 0; bool mapped = false; };
GamutMapped gamutMapToSrgb(const OkLch&);
}
