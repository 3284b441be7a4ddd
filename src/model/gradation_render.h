// Colour of the gradation from the per-dot levels: the four colour bars under the graph and
// the gradation picture itself, in any direction, RGB or CMY, whole or for a dot range.
#pragma once

#include "model/gradation_document.h"
#include "raster/surface.h"

namespace spectrane {

// Top of colour bar k (0 = mixed colour, 1..3 = channels 0..2) in the main canvas; each bar
// is 16 pixels high.
constexpr int colorBarTop(int k) {
    return 370 + 24 * k;
}
inline constexpr int kColorBarHeight = 16;

// Mixed colour of dot j: RGB(lev0, lev1, lev2), or its complement in CMY mode.
Color mixedColor(const ColorLine& line, int dot, bool cmy);

// Colour of channel ch's own bar at dot j: its primary (RGB) or its ink (CMY) at the level.
Color channelBarColor(const ColorLine& line, ChannelIndex ch, int dot, bool cmy);

// Draws dots firstDot..lastDot (inclusive) of the mixed bar and of the bar of `which` (or of
// all three channels when which = -1) into the main canvas at x = 56 + dot.
void paintColorBars(Surface& canvas, const ColorLine& line, int which, int firstDot, int lastDot,
                    bool cmy);

// Position of dot j along the gradation: j for directions 0 and 1, L - 1 - j for 2 and 3.
constexpr int dotPosition(int dot, int length, int direction) {
    return direction >= 2 ? length - 1 - dot : dot;
}

// Paints dots firstDot..lastDot of a gradation of `length` dots, `thickness` pixels across,
// with its top-left corner at (left, top): one column per dot for even directions, one row per
// dot for odd ones.
void paintGradation(Surface& surface, const ColorLine& line, int left, int top, int length,
                    int thickness, int firstDot, int lastDot, int direction, bool cmy);

} // namespace spectrane
