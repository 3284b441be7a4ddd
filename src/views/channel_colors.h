// The channel colour table: active and darker inactive curve colours for RGB, CMY and OKLCh
// mode, and the point-marker colour, switched together with the mode.
#pragma once

#include "model/gradation_document.h"
#include "raster/surface.h"

#include <array>

namespace spectrane {

using ChannelColorSet = std::array<Color, kChannelCount>;

inline constexpr ChannelColorSet kRgbCurveColors = {rgb(255, 0, 0), rgb(0, 224, 0), rgb(0, 0, 255)};
inline constexpr ChannelColorSet kRgbInactiveColors = {rgb(234, 0, 0), rgb(0, 160, 0),
                                                       rgb(0, 0, 192)};
inline constexpr ChannelColorSet kCmyCurveColors = {rgb(0, 232, 232), rgb(240, 0, 240),
                                                    rgb(240, 240, 0)};
inline constexpr ChannelColorSet kCmyInactiveColors = {rgb(0, 192, 192), rgb(192, 0, 192),
                                                       rgb(192, 192, 0)};
// OKLCh: lightness light grey, chroma orange, hue violet; the inactive ones darker.
inline constexpr ChannelColorSet kOklchCurveColors = {rgb(232, 232, 232), rgb(255, 160, 0),
                                                      rgb(160, 96, 255)};
inline constexpr ChannelColorSet kOklchInactiveColors = {rgb(160, 160, 160), rgb(192, 112, 0),
                                                         rgb(112, 64, 192)};
// The chroma OKLCh shows where the gamut mapping lowered the one asked for.
inline constexpr Color kShownChromaColor = rgb(128, 80, 0);
inline constexpr Color kRgbMarkerColor = rgb(224, 224, 0);
inline constexpr Color kCmyMarkerColor = rgb(255, 255, 255);

// The colours the plot is drawn with at present.
struct ChannelColors {
    ChannelColorSet active = kRgbCurveColors;
    ChannelColorSet inactive = kRgbInactiveColors;
    Color marker = kRgbMarkerColor;
};

// Takes the set of the document's colour mode and the matching marker colour (OKLCh: RGB's).
void ChooseChannelColors(ChannelColors& colors, ColorMode mode);

} // namespace spectrane
