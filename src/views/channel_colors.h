// The channel colour table: active and darker inactive curve colours for RGB and CMY mode,
// and the point-marker colour, switched together with the CMY flag.
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
inline constexpr Color kRgbMarkerColor = rgb(224, 224, 0);
inline constexpr Color kCmyMarkerColor = rgb(255, 255, 255);

// The colours the plot is drawn with at present.
struct ChannelColors {
    ChannelColorSet active = kRgbCurveColors;
    ChannelColorSet inactive = kRgbInactiveColors;
    Color marker = kRgbMarkerColor;
};

// Takes the RGB or the CMY set (cmy = the document's CMY flag) and the matching marker colour.
void ChooseChannelColors(ChannelColors& colors, bool cmy);

} // namespace spectrane
