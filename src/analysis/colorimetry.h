// Colour values of the analysis: CIE XYZ and CIELAB of displayed sRGB colours, and the
// CIEDE2000 difference between two of them.
#pragma once

namespace spectrane {

// CIE XYZ relative to the sRGB white (D65), which has Y = 1.
struct XyzColor {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// CIELAB against the D65 white: l (L*) 0..100, a and b roughly -128..128.
struct LabColor {
    double l = 0.0;
    double a = 0.0;
    double b = 0.0;
};

// CIEDE2000 colour difference with kL = kC = kH = 1 (Little CMS's cmsCIE2000DeltaE); 0 for
// equal colours, symmetric in its arguments.
double deltaE2000(const LabColor& p, const LabColor& q);

} // namespace spectrane
