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

ShownColor shownDotColor(const ColorLine& line, int dot, const ColorModel& model) {
    return shownColor(levelAt(line, 0, dot), levelAt(line, 1, dot), levelAt(line, 2, dot), model);
}

Color channelBarColor(const ColorLine& line, ChannelIndex ch, int dot, const ColorModel& model) {
    const int v = levelAt(line, ch, dot);
    switch (model.mode) {
    case ColorMode::Rgb:
        return ch == 0 ? rgb(v, 0, 0) : ch == 1 ? rgb(0, v, 0) : rgb(0, 0, v);
    case ColorMode::Cmy:
        return ch == 0 ? rgb(0, v, v) : ch == 1 ? rgb(v, 0, v) : rgb(v, v, 0);
    case ColorMode::Oklch:
        break;
    }
    // Lightness and chroma 0.1 at which every hue of sRGB can be told apart.
    constexpr int kModerateLightness = 179;
    constexpr int kModerateChroma = 64;
    if (ch == kLightnessChannel) {
        return displayedColor(v, 0, 0, model);
    }
    if (ch == kChromaChannel) {
        return displayedColor(kModerateLightness, v, levelAt(line, kHueChannel, dot), model);
    }
    return displayedColor(kModerateLightness, kModerateChroma, v, model);
}

void paintColorBars(Surface& canvas, const ColorLine& line, int which, int firstDot, int lastDot,
                    const ColorModel& model) {
    if (!clipDots(firstDot, lastDot)) {
        return;
    }
    for (int j = firstDot; j <= lastDot; ++j) {
        const int x = CanvasGeometry::dotX(j);
        const ShownColor shown = shownDotColor(line, j, model);
        drawVerticalLine(canvas, x, colorBarTop(0), colorBarTop(0) + kColorBarHeight, shown.color);
        if (model.mode == ColorMode::Oklch) {
            drawVerticalLine(canvas, x, kGamutMarkTop, kGamutMarkBottom,
                             shown.mapped ? kGamutMarkColor : rgb(0, 0, 0));
        }
        for (ChannelIndex c = 0; c < kChannelCount; ++c) {
            // OKLCh's chroma bar shows each dot's hue too.
            const bool follows =
                c == kChromaChannel && which == kHueChannel && model.mode == ColorMode::Oklch;
            if (which == -1 || which == c || follows) {
                drawVerticalLine(canvas, x, colorBarTop(c + 1),
                                 colorBarTop(c + 1) + kColorBarHeight,
                                 channelBarColor(line, c, j, model));
            }
        }
    }
}

void paintGradation(Surface& surface, const ColorLine& line, int left, int top, int length,
                    int thickness, int firstDot, int lastDot, int direction,
                    const ColorModel& model) {
    lastDot = std::min(lastDot, length - 1);
    if (!clipDots(firstDot, lastDot)) {
        return;
    }
    if ((direction & 1) != 0) {
        for (int j = firstDot; j <= lastDot; ++j) {
            const int p = dotPosition(j, length, direction);
            fillRect(surface, {left, top + p, left + thickness, top + p + 1},
                     mixedColor(line, j, model));
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
            first[x] = mixedColor(line, j, model);
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
        }
    }
    for (int y = band.top + 1; y < band.bottom && minX <= maxX; ++y) {
        std::copy(first + minX, first + maxX + 1, surface.row(y) + minX);
    }
}

} // namespace spectrane
