// The analysis of one gradation as people see it: per dot its displayed colour, CIE XYZ,
// CIELAB, the neutral grey of the same lightness and the three simulated deficiencies; per
// neighbouring pair the CIEDE2000 step; and the summaries the analysis window and
// `spectrane-cli analyze` show. Filled by Analyzer (analyzer.h); the helpers below are the part
// that needs no colour conversion.
#pragma once

#include "analysis/color_vision.h"
#include "analysis/colorimetry.h"
#include "model/canvas_geometry.h"
#include "model/gradation_settings.h"
#include "raster/surface.h"

#include <array>
#include <span>

namespace spectrane {

// Plain record of fixed size (no allocation when it is refreshed); entries from `length` on
// carry no meaning. Large (about 125 KB): keep one per window, not on the stack.
struct GradationAnalysis {
    int length = 0;                  // L, 2..1600
    bool loop = false;               // the dot after the last is dot 0 again
    ColorMode mode = ColorMode::Rgb; // for labels only: `displayed` already applies it

    // Per dot j.
    std::array<Color, kMaxDots> displayed{}; // as the gradation shows it
    std::array<XyzColor, kMaxDots> xyz{};    // of `displayed`
    std::array<LabColor, kMaxDots> lab{};    // of `displayed`
    std::array<Color, kMaxDots> grey{};      // neutral, same L*
    std::array<std::array<Color, kMaxDots>, kDeficiencyCount> simulated{}; // by Deficiency
    // CIEDE2000 from dot j to dot j+1 for j < L-1; entry L-1 is the seam step (dot L-1 to dot
    // 0) of a loop and 0 for an open gradation.
    std::array<double, kMaxDots> step{};
    std::array<bool, kMaxDots> reversal{}; // L* turns at dot j (see findReversals)
    // Perceptual speed at step j: the steps around it averaged over a window long enough to
    // smooth the 8-bit quantisation away (see perceptualSpeed); entry L-1 as for `step`.
    std::array<double, kMaxDots> speed{};
    std::array<bool, kMaxDots> jump{}; // step j stands out from the speed (see findJumps)
    std::array<bool, kMaxDots> band{}; // dot j lies in a band (see findBands)

    // OKLCh: dots whose colour lies outside sRGB and was brought in by the gamut mapping.
    int gamutMappedCount = 0;

    // Lightness over dots 0..L-1.
    double lightnessMin = 0.0;
    double lightnessMax = 0.0;
    int reversalCount = 0;
    bool lightnessMonotonic() const { return reversalCount == 0; }

    // Over the L-1 steps between neighbouring dots 0..L-1; the seam is kept apart.
    double deltaEMean = 0.0;
    double deltaEMax = 0.0;
    int deltaEMaxDot = 0; // j of the largest step j -> j+1, the first one on a tie
    int jumpCount = 0;    // marked steps, the seam included
    int bandCount = 0;
    // Smallest over largest perceptual speed: 1 for a perfectly even gradation (or one that
    // does not change at all), 0 where it stands still somewhere.
    double uniformity = 1.0;
    double seamDeltaE = 0.0; // loops only: dot L-1 -> dot 0; 0 for open gradations

    // CIEDE2000 between the first and the last dot as each deficiency is simulated.
    std::array<double, kDeficiencyCount> endsDeltaE{};
};

// Lightness reversals smaller than this are not counted: the 8-bit steps of the levels make L*
// jitter by a few tenths where one channel rises while another falls; a unit of L* is about the
// smallest lightness difference that can be seen.
inline constexpr double kReversalTolerance = 1.0;

// Marks in `marks` the dots where the lightness lab[0..n-1].l turns: a peak (or trough) at dot
// j is marked once L* has fallen (risen) from it by at least `tolerance` before passing it
// again; a flat top marks its first dot. The ends are never marked, nor the wiggles before L*
// has first moved by `tolerance`. Returns the number of marks; marks must hold n entries.
int findReversals(std::span<const LabColor> lab, std::span<bool> marks,
                  double tolerance = kReversalTolerance);

// For a loop: the turns of L* counted around the circle, the seam included, so that where the
// period starts does not matter. The count is even; the same tolerance as findReversals.
int findLoopReversals(std::span<const LabColor> lab, std::span<bool> marks,
                      double tolerance = kReversalTolerance);

// A step is a jump when it exceeds the local speed by at least this much CIEDE2000 (about the
// smallest difference that can be seen between neighbours) and is at least twice that speed.
inline constexpr double kJumpDeltaE = 1.0;
// Runs of equal dots shorter than this are the levels' quantisation, never a band.
inline constexpr int kMinBandDots = 8;

// The steps (CIEDE2000 between neighbouring dots; for a loop the seam step last) smoothed by a
// triangular window whose half-width is twice the mean run of equal dots, at least 8 steps, so
// that a ramp whose level changes every few dots reads as the steady speed it is. A loop's
// window wraps round; an open gradation's first and last h steps take the speed of the nearest
// whole window, and one too short for any whole window has its mean step everywhere. `speed`
// holds steps.size().
void perceptualSpeed(std::span<const double> steps, bool loop, std::span<double> speed);

// Marks the steps j that stand out from the speed of the steps around them (the window of
// perceptualSpeed without step j itself) by kJumpDeltaE and by twice that speed. Returns how
// many; marks holds steps.size().
int findJumps(std::span<const double> steps, bool loop, std::span<bool> marks);

// Marks the dots of bands: runs of at least kMinBandDots equal dots (zero steps) where the
// colour moves by at least kJumpDeltaE, summed over as many steps, right before or right after
// the run: standing still while it changes around it. `steps` as for perceptualSpeed, `marks`
// one per dot (steps.size() + 1 for open gradations, steps.size() for loops). Returns how many
// bands.
int findBands(std::span<const double> steps, bool loop, std::span<bool> marks);

// Smallest over largest speed; 1 when every speed is 0.
double uniformityOf(std::span<const double> speed);

// Fills the summaries (lightness extremes, reversals, step statistics, jumps, seam) from
// `lab` and `step` of the first `length` dots.
void summarizeAnalysis(GradationAnalysis& analysis);

} // namespace spectrane
