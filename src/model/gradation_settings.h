// The settings that shape, interpret and edit a gradation, kept together wherever they travel:
// in the document, in the settings file, in a drag's snapshot and in a synchro pass.
#pragma once

#include "model/canvas_geometry.h"

#include <array>
#include <cstdint>

namespace spectrane {

inline constexpr int kDefaultLength = 512;
inline constexpr int kDefaultDirection = 1; // top to bottom

// How a dot's three levels become its colour: R, G, B; C, M, Y (the complement); or OKLCh
// lightness, chroma and hue brought into sRGB (model/color_mode.h). The values are stored.
enum class ColorMode : std::int32_t { Rgb = 0, Cmy = 1, Oklch = 2 };

// What the levels mean: the mode and, for OKLCh, the hue of level 0 of channel 2.
struct ColorModel {
    ColorMode mode = ColorMode::Rgb;
    double hueOrigin = 0.0; // degrees, 0 <= hueOrigin < 360

    friend bool operator==(const ColorModel&, const ColorModel&) = default;
};

struct GradationSettings {
    int length = kDefaultLength;       // L, 2..1600
    int direction = kDefaultDirection; // 0..3; bit 0 set = vertical
    bool loop = false;                 // the curves are periodic over L
    ColorMode mode = ColorMode::Rgb;   // what the channels are
    double hueOrigin = 0.0;            // OKLCh: hue in degrees of level 0 of channel 2
    bool synchro = false;              // edits of a checked channel move every checked one
    std::array<bool, kChannelCount> synchroChannels{};

    bool cmy() const { return mode == ColorMode::Cmy; }
    bool oklch() const { return mode == ColorMode::Oklch; }
    ColorModel colorModel() const { return {mode, hueOrigin}; }
    bool vertical() const { return (direction & 1) != 0; }
    CanvasGeometry geometry() const { return CanvasGeometry::forLength(length); }

    friend bool operator==(const GradationSettings&, const GradationSettings&) = default;
};

} // namespace spectrane
