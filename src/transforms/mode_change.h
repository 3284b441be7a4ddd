// Switching a document between OKLCh and RGB or CMY while keeping its gradation: the colours
// the dots show are taken to the other mode's levels and the curves fitted to them.
#pragma once

#include "exchange/curve_fit.h"
#include "model/gradation_document.h"

#include <memory>

namespace spectrane {

// Within this many levels the fit counts as keeping the gradation; beyond it the user is told.
inline constexpr int kModeChangeTolerance = 1;

struct ModeChange {
    // The document in `target`: fitted curves, every other setting of the original kept
    // (current channel, thickness and synchro included). Null only for an invalid length.
    std::unique_ptr<GradationDocument> document;
    // Largest difference between a curve and the levels it was fitted to, in the new mode's
    // levels: more than kModeChangeTolerance only where 256 points could not get there.
    int fitError = 0;
    // Largest difference, in sRGB levels, between a dot's colour before and after: besides the
    // fit, what 8-bit OKLCh levels cannot say (most near a channel's 0, where sRGB is steep).
    int displayedError = 0;
    std::array<ChannelFit, kChannelCount> channels{};
};

// The gradation of `doc` (evaluated) refitted in `target` mode with kModeChangeTolerance.
ModeChange changeColorMode(const GradationDocument& doc, ColorMode target);

} // namespace spectrane
