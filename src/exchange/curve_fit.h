// Editable curves for any sequence of dot colours: per channel the fewest points that the
// program's own spline evaluation turns back into every dot's level within a tolerance.
#pragma once

#include "exchange/gradient.h"

#include <array>
#include <memory>
#include <span>

namespace spectrane {

struct ChannelFit {
    int points = 0;       // anchors (= control points) of the channel
    int maxError = 0;     // largest |evaluated - wanted| level over the dots, 0..255
    bool reached = false; // maxError <= the tolerance
};

struct CurveFit {
    // length = colors.size(), the given direction and loop flag, RGB, anchors derived and every
    // dot evaluated exactly as opening the saved file would.
    std::unique_ptr<GradationDocument> document;
    std::array<ChannelFit, kChannelCount> channels{};
};

// Fits each channel of `colors` (2..1600 dots) with at most 256 points, two ways, keeping the
// one that reaches `tolerance` (0..255) levels with fewer points. The anchor fit puts anchors on
// dots (open curves keep end anchors at dot 0 and L-1, loop curves start from one), each new
// one at or near the dot of largest error with the spacing kept even enough for the uniform
// spline. The control fit places the control points' x directly, a jump between neighbouring
// dots getting four of them within one dot. Both then take out every point whose removal keeps
// the tolerance; for each set of points the levels are the least-squares fit to all dots. When
// neither gets there, the channel keeps the smaller error and reached is false. A null
// document when colors.size() is outside 2..1600.
CurveFit fitCurves(std::span<const Rgb8> colors, int tolerance, bool loop, int direction);

} // namespace spectrane
