#include "model/gradation_render.h"

#include <algorithm>

namespace spectrane {

namespace {

int levelAt(const ColorLine& line, ChannelIndex ch, int dot) {
    return std::clamp(line.level(ch, dot), 0, 255);
}

// Dots outside 0..kMaxDots-1 have no level; a range is cut to what the table holds.
bool clipDots(int& firstDot, int& lastDot) {
    firstDot = std::max(firstDot, 0);
    lastDot = std::min(lastDot, kMaxDots - 1);
    return firstDot <= lastDot;
}

} // namespace

Color mixedColor(const ColorLine& line, int dot, bool cmy) {
    const int l0 = levelAt(line, 0, dot);
    const int l1 = levelAt(line, 1, dot);
    const int l2 = levelAt(line, 2, dot);
    return cmy ? rgb(255 - l0, 255 - l1, 255 - l2) : rgb(l0, l1, l2);
}

Color channelBarColor(const ColorLine& line, ChannelIndex ch, int dot, bool cmy) {
    const int v = levelAt(line, ch, dot);
    if (!cmy) {
        return ch == 0 ? rgb(v, 0, 0) : ch == 1 ? rgb(0, v, 0) : rgb(0, 0, v);
    }
    return ch == 0 ? rgb(0, v, v) : ch == 1 ? rgb(v, 0, v) : rgb(v, v, 0);
}

void paintColorBars(Surface& canvas, const ColorLine& line, int which, int firstDot, int lastDot,
                    bool cmy) {
    if (!clipDots(firstDot, lastDot)) {
        return;
    }
    for (int j = firstDot; j <= lastDot; ++j) {
        const int x = CanvasGeometry::dotX(j);
        drawVerticalLine(canvas, x, colorBarTop(0), colorBarTop(0) + kColorBarHeight,
                         mixedColor(line, j, cmy));
        for (ChannelIndex c = 0; c < kChannelCount; ++c) {
            if (which == -1 || which == c) {
                drawVerticalLine(canvas, x, colorBarTop(c + 1),
                                 colorBarTop(c + 1) + kColorBarHeight,
                                 channelBarColor(line, c, j, cmy));
            }
        }
    }
}

void paintGradation(Surface& surface, const ColorLine& line, int left, int top, int length,
                    int thickness, int firstDot, int lastDot, int direction, bool cmy) {
    lastDot = std::min(lastDot, length - 1);
    if (!clipDots(firstDot, lastDot)) {
        return;
    }
    const bool vertical = (direction & 1) != 0;
    for (int j = firstDot; j <= lastDot; ++j) {
        const int p = dotPosition(j, length, direction);
        const Color c = mixedColor(line, j, cmy);
        if (vertical) {
            fillRect(surface, {left, top + p, left + thickness, top + p + 1}, c);
        } else {
            fillRect(surface, {left + p, top, left + p + 1, top + thickness}, c);
        }
    }
}

} // namespace spectrane
