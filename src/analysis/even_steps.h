// "Even out perceptual steps": a gradation's colours resampled along their own path so that
// neighbouring dots differ by the same perceived amount.
#pragma once

#include "analysis/analyzer.h"
#include "raster/surface.h"

#include <span>
#include <vector>

namespace spectrane {

// How a step between two colours is measured: CIEDE2000 (as the analysis does) or the
// Euclidean distance in OKLab.
enum class StepMetric { Ciede2000, Oklab };

// Resamples the path through `colors` (displayed sRGB, 2..1600 of them; for a loop the path
// closes from the last back to the first) so that the steps between neighbouring samples,
// measured by `metric`, are as even as the 8-bit codes allow. The path runs straight in OKLab
// from each colour to the next; where the 8-bit samples take a staircase longer than the path
// (channels stepping at different dots), the path is weighted by that and sampled again, so
// that the steps come out even as the analysis measures them. The same count comes back, with the
// first colour and, for an open path, the last kept; a loop's seam step is one of the even steps. A
// path that stands still, and one of fewer than 2 colours, comes back unchanged.
std::vector<Color> evenOutSteps(const Analyzer& analyzer, std::span<const Color> colors, bool loop,
                                StepMetric metric);

} // namespace spectrane
