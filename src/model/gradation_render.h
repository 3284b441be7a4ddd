// Colour of the gradation from the per-dot levels: the four colour bars under the graph and
// the gradation picture itself, in any direction, in any colour model, whole or for a dot range.
#pragma once

#include "model/color_mode.h"
#include "model/gradation_document.h"
#include "raster/surface.h"

namespace spectrane {

// Top of colour bar k (0 = mixed colour, 1..3 = channels 0..2) in the main canvas; each bar
// is 16 pixels high.
constexpr int colorBarTop(int k) {
    return 370 + 24 * k;
}
inline constexpr int kColorBarHeight = 16;

// Rows of the thin mark under the mixed bar at the dots whose OKLCh colour was brought into
// sRGB: between the bar's bevel and the next bar's.
inline constexpr int kGamutMarkTop = 388;
inline constexpr int kGamutMarkBottom = 390; // exclusive
inline constexpr Color kGamutMarkColor = rgb(255, 255, 255);

// Mixed colour of dot j as shown: RGB(lev0, lev1, lev2), its complement in CMY mode, the
// gamut-mapped OKLCh colour in OKLCh mode.
ShownColor shownDotColor(const ColorLine& line, int dot, const ColorModel& model);
inline Color mixedColor(const ColorLine& line, int dot, const ColorModel& model) {
    return shownDotColor(line, dot, model).color;
}

// Colour of channel ch's own bar at dot j: its primary (RGB) or its ink (CMY) at the level; in
// OKLCh the neutral grey of the lightness, the chroma at the dot's hue and a moderate
// lightness, the hue at moderate lightness and chroma.
Color channelBarColor(const ColorLine& line, ChannelIndex ch, int dot, const ColorModel& model);

// Draws dots firstDot..lastDot (inclusive) of the mixed bar and of the bar of `which` (or of
// all three channels when which = -1) into the main canvas at x = 56 + dot, and in OKLCh mode
// the gamut marks under the mixed bar (and the chroma bar with the hue's, which it shows).
void paintColorBars(Surface& canvas, const ColorLine& line, int which, int firstDot, int lastDot,
                    const ColorModel& model);

// Position of dot j along the gradation: j for directions 0 and 1, L - 1 - j for 2 and 3.
constexpr int dotPosition(int dot, int length, int direction) {
    return direction >= 2 ? length - 1 - dot : dot;
}

// Paints dots firstDot..lastDot of a gradation of `length` dots, `thickness` pixels across,
// with its top-left corner at (left, top): one column per dot for even directions, one row per
// dot for odd ones.
void paintGradation(Surface& surface, const ColorLine& line, int left, int top, int length,
                    int thickness, int firstDot, int lastDot, int direction,
                    const ColorModel& model);

} // namespace spectrane
