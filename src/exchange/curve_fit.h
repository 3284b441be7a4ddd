// Editable curves for any sequence of dot colours: per channel the fewest anchors that the
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

// Fits each channel of `colors` (2..1600 dots) with anchors on dots, at most 256: open curves
// keep end anchors at dot 0 and L-1, loop curves start from one anchor. An anchor goes in at
// (or, to keep the spacing even enough for the uniform spline, near) the dot of largest error
// until every dot is within `tolerance` (0..255) levels, then every anchor whose removal keeps
// that is taken out. For each set of anchor dots the control points' levels are the least-
// squares fit to all dots. When 256 anchors cannot get there, the channel keeps the best curve
// found and reached is false. A null document when colors.size() is outside 2..1600.
CurveFit fitCurves(std::span<const Rgb8> colors, int tolerance, bool loop, int direction);

} // namespace spectrane
