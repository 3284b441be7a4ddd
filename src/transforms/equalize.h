// "Even out perceptual steps": the gradation resampled along its own colour path so that
// neighbouring dots differ by as even a perceptual distance as the path allows (the ends, and
// a loop's seam, kept), and the curves fitted to the result in the document's mode.
#pragma once

#include "analysis/analyzer.h"
#include "analysis/even_steps.h"
#include "exchange/curve_fit.h"

#include <memory>

namespace spectrane {

// Rounds of evening out and refitting: the third gains little over the second.
inline constexpr int kEqualizeRounds = 3;

struct Equalized {
    // The refitted document, every setting but the curves (and OKLCh's hue origin) kept. Null
    // only for an invalid length.
    std::unique_ptr<GradationDocument> document;
    // The uniformity figure (slowest over fastest perceptual speed, see uniformityIn) before
    // and after.
    double uniformityBefore = 0.0;
    double uniformityAfter = 0.0;
    std::array<ChannelFit, kChannelCount> channels{};
};

// The analysis' uniformity figure of `doc` (evaluated) with its steps measured by `metric`:
// for CIEDE2000 the analysis' own; for OKLab the same smoothing of the OKLab distances.
double uniformityIn(const GradationDocument& doc, const Analyzer& analyzer, StepMetric metric);

// Equalizes `doc` (evaluated), measuring distance by `metric`.
Equalized equalizeSteps(const GradationDocument& doc, const Analyzer& analyzer,
                        StepMetric metric = StepMetric::Ciede2000);

} // namespace spectrane
