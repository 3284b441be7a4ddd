// The levels of a channel's control points that best reproduce wanted dot levels, for control
// points whose x are given: a least-squares fit through the evaluation's own curve parameter.
#pragma once

#include "model/gradation_document.h"

#include <span>
#include <vector>

namespace spectrane {

// Scratch space for fitControlLevels, kept between calls so that a search allocates once.
struct ControlLevelsWork {
    std::vector<double> matrix; // profile of the normal equations, n x n
    std::vector<double> rhs;
    std::vector<int> firstColumn;
};

// Sets the y of control points 0..n-1 of `curve` (n >= 3 open, n >= 2 loop; their x set,
// increasing) to minimise, over the dots 0..length-1 that the segments write, the squared
// difference between the segment's level curve before rounding and `wantedY[dot] + lift`
// (canvas y). The parameter of each dot comes from the whole-number segment points exactly as
// evaluation computes it. A control point that no dot depends on keeps its y. False, leaving
// the y alone, when the system cannot be solved.
bool fitControlLevels(ChannelCurve& curve, int length, bool loop, std::span<const double> wantedY,
                      ControlLevelsWork& work);

} // namespace spectrane
