// Editable curves for a sequence of displayed colours in any colour model: each colour taken
// to the model's levels (for OKLCh with a hue origin the hue path avoids), then fitted.
#pragma once

#include "exchange/curve_fit.h"

#include <span>

namespace spectrane {

// The hue origin (degrees, 0 <= origin < 360) at which the hue path of `colors` crosses the
// origin the fewest times: inside the widest stretch of hues that no step between neighbouring
// colours (the seam too, for a loop) passes through, else where the fewest steps pass, nearest
// below the first colour's hue. Neutral colours have no hue and are passed over; 0 when every
// colour is neutral.
double chooseHueOrigin(std::span<const Rgb8> colors, bool loop);

// The levels of each colour in `model`, rounded; a neutral colour's hue follows the nearest
// coloured one before it (else after it), so that greys do not pull the hue curve about.
std::vector<Rgb8> levelsInModel(std::span<const Rgb8> colors, const ColorModel& model);

// fitCurves of the colours' levels in `mode` (OKLCh: at chooseHueOrigin), the document's mode
// and hue origin set. `displayedError` is the largest difference, in sRGB levels over the
// dots and the three components, between the colours and those the fitted document shows.
struct ModelFit {
    CurveFit fit;
    int displayedError = 0;
};
ModelFit fitCurvesInMode(std::span<const Rgb8> colors, ColorMode mode, int tolerance, bool loop,
                         int direction);

} // namespace spectrane
