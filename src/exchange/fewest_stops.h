// The fewest colour stops, placed on dots, between which linear interpolation reproduces every
// dot of a gradation within a tolerance.
#pragma once

#include "exchange/gradient.h"

#include <span>
#include <vector>

namespace spectrane {

// Dots of the fewest stops (ascending, from 0 to colors.size()-1) such that, for every dot
// between two neighbouring stops, each channel interpolated linearly from them lies less than
// tolerance + 1/2 levels from the dot's own level, so that it rounds to within `tolerance`
// levels (0..255) whichever way a reader rounds a half. A shortest path over the dots, so the
// count is the least possible. One stop for a single colour, none for none.
// With `slack`, and a tolerance of at least 1, the lines stay within `tolerance` itself: half a
// level is left for a renderer that rounds its own interpolation differently.
std::vector<int> fewestStops(std::span<const Rgb8> colors, int tolerance, bool slack = false);

} // namespace spectrane
