#include "views/channel_colors.h"

namespace spectrane {

void ChooseChannelColors(ChannelColors& colors, bool cmy) {
    colors.active = cmy ? kCmyCurveColors : kRgbCurveColors;
    colors.inactive = cmy ? kCmyInactiveColors : kRgbInactiveColors;
    colors.marker = cmy ? kCmyMarkerColor : kRgbMarkerColor;
}

} // namespace spectrane
