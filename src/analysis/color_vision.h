// Colour-vision deficiencies the analysis simulates, with the published matrices of Machado,
// Oliveira and Fernandes, "A Physiologically-based Model for Simulation of Color Vision
// Deficiency", IEEE Transactions on Visualization and Computer Graphics 15(6), 2009, at severity
// 1.0 (dichromacy). Each matrix maps a linear-light sRGB colour to the colour a person with the
// deficiency is modelled to see, in linear-light sRGB again.
#pragma once

#include <array>
#include <string_view>

namespace spectrane {

enum class Deficiency { Protanopia, Deuteranopia, Tritanopia };
inline constexpr int kDeficiencyCount = 3;
inline constexpr std::array<Deficiency, kDeficiencyCount> kDeficiencies{
    Deficiency::Protanopia, Deficiency::Deuteranopia, Deficiency::Tritanopia};

// Row-major: out[row] = sum over col of m[row][col] * in[col], components in R, G, B order.
using Matrix3 = std::array<std::array<double, 3>, 3>;

// The paper's table of simulation matrices, severity 1.0.
inline constexpr Matrix3 kProtanopiaMatrix{{{0.152286, 1.052583, -0.204868},
                                            {0.114503, 0.786281, 0.099216},
                                            {-0.003882, -0.048116, 1.051998}}};
inline constexpr Matrix3 kDeuteranopiaMatrix{{{0.367322, 0.860646, -0.227968},
                                              {0.280085, 0.672501, 0.047413},
                                              {-0.011820, 0.042940, 0.968881}}};
inline constexpr Matrix3 kTritanopiaMatrix{{{1.255528, -0.076749, -0.178779},
                                            {-0.078411, 0.930809, 0.147602},
                                            {0.004733, 0.691367, 0.303900}}};

constexpr const Matrix3& deficiencyMatrix(Deficiency d) {
    switch (d) {
    case Deficiency::Protanopia:
        return kProtanopiaMatrix;
    case Deficiency::Deuteranopia:
        return kDeuteranopiaMatrix;
    default:
        return kTritanopiaMatrix;
    }
}

// Lower-case English name, as the command-line output uses it: "protanopia", ...
constexpr std::string_view deficiencyName(Deficiency d) {
    switch (d) {
    case Deficiency::Protanopia:
        return "protanopia";
    case Deficiency::Deuteranopia:
        return "deuteranopia";
    default:
        return "tritanopia";
    }
}

} // namespace spectrane
