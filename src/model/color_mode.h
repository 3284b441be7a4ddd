// The colour models: how a dot's three levels become the sRGB colour people see, and back.
// RGB shows the levels as they are, CMY their complement, OKLCh reads them as lightness
// (0..255 -> L 0..1), chroma (0..255 -> C 0..0.4) and hue (0..255 -> one turn from the hue
// origin) and brings colours outside sRGB in by the CSS Color 4 gamut mapping.
#pragma once

#include "model/gradation_settings.h"
#include "model/oklab.h"
#include "raster/surface.h"

#include <array>

namespace spectrane {

// The chroma of level 255, as CSS Color 4 scales oklch() percentages.
inline constexpr double kOklchMaxChroma = 0.4;
// OKLCh channels.
inline constexpr int kLightnessChannel = 0;
inline constexpr int kChromaChannel = 1;
inline constexpr int kHueChannel = 2;

// A dot's colour as shown: the sRGB colour; for OKLCh whether the gamut mapping had to reduce
// the chroma, and the chroma level (0..255) that is shown then.
struct ShownColor {
    Color color = 0;
    bool mapped = false;
    int shownChroma = 0;
};

// The shown colour of levels (0..255 each, clamped) in `model`. OKLCh results are remembered
// per thread, so asking again for the same levels is cheap.
ShownColor shownColor(int level0, int level1, int level2, const ColorModel& model);

inline Color displayedColor(int level0, int level1, int level2, const ColorModel& model) {
    return shownColor(level0, level1, level2, model).color;
}

// The mode's name as the command line writes it ("rgb", "cmy", "oklch"), and the one-letter
// name of channel ch (R, G, B; C, M, Y; L, C, h).
const char* colorModeName(ColorMode mode);
const char* channelName(ColorMode mode, int ch);

// The OKLCh colour that levels (fractional allowed) stand for, hue measured from `hueOrigin`.
OkLch oklchOfLevels(double lightness, double chroma, double hue, double hueOrigin);

// Below this OKLCh chroma a colour reads as grey: its hue is the noise of its 8 bits.
inline constexpr double kNeutralChroma = 0.002;

// The levels (unrounded, lightness and chroma clamped to 0..255, hue in 0..255) of an sRGB
// colour in `model`: the inverse of shownColor for colours inside sRGB.
std::array<double, 3> levelsOfColor(Color color, const ColorModel& model);

// The hue level (0..255, unwrapped fraction) of a hue angle in degrees from the origin.
double hueLevel(double degrees, double hueOrigin);

} // namespace spectrane
