#include "views/channel_colors.h"

namespace spectrane {

void ChooseChannelColors(ChannelColors& colors, ColorMode mode) {
    const bool cmy = mode == ColorMode::Cmy;
    const bool oklch = mode == ColorMode::Oklch;
    colors.active = cmy ? kCmyCurveColors : oklch ? kOklchCurveColors : kRgbCurveColors;
    colors.inactive = cmy ? kCmyInactiveColors : oklch ? kOklchInactiveColors : kRgbInactiveColors;
    colors.marker = cmy ? kCmyMarkerColor : kRgbMarkerColor;
}

} // namespace spectrane
