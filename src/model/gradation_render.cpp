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
    if ((direction & 1) != 0) {
        for (int j = firstDot; j <= lastDot; ++j) {
            const int p = dotPosition(j, length, direction);
            fillRect(surface, {left, top + p, left + thickness, top + p + 1},
                     mixedColor(line, j, cmy));
        }
        return;
    }
    // Columns: every row of the band is the same, so paint the first row dot by dot and copy
    // it down instead of walking each one-pixel column through the whole thickness.
    const Rect band = clipToSurface(surface, {left, top, left + length, top + thickness});
    if (band.left >= band.right || band.top >= band.bottom) {
        return;
    }
    int minX = band.right;
    int maxX = band.left - 1;
    Color* first = surface.row(band.top);
    for (int j = firstDot; j <= lastDot; ++j) {
        const int x = left + dotPosition(j, length, direction);
        if (x >= band.left && x < band.right) {
            first[x] = mixedColor(line, j, cmy);
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
        }
    }
    for (int y = band.top + 1; y < band.bottom && minX <= maxX; ++y) {
        std::copy(first + minX, first + maxX + 1, surface.row(y) + minX);
    }
}

} // namespace spectrane
