// The analysis of one gradation as people see it: per dot its displayed colour, CIE XYZ,
// CIELAB, the neutral grey of the same lightness and the three simulated deficiencies; per
// neighbouring pair the CIEDE2000 step; and the summaries the analysis window and
// `spectrane-cli analyze` show. Filled by Analyzer (analyzer.h); the helpers below are the part
// that needs no colour conversion.
#pragma once

#include "analysis/color_vision.h"
#include "analysis/colorimetry.h"
#include "model/canvas_geometry.h"
#include "raster/surface.h"

#include <array>
#include <span>

namespace spectrane {

// Plain record of fixed size (no allocation when it is refreshed); entries from `length` on
// carry no meaning. Large (about 125 KB): keep one per window, not on the stack.
struct GradationAnalysis {
    int length = 0;    // L, 2..1600
    bool loop = false; // the dot after the last is dot 0 again
    bool cmy = false;  // the document's mode, for labels only: `displayed` already applies it

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
    std::array<bool, kMaxDots> jump{};     // step j is more than twice deltaEMean

    // Lightness over dots 0..L-1.
    double lightnessMin = 0.0;
    double lightnessMax = 0.0;
    int reversalCount = 0;
    bool lightnessMonotonic() const { return reversalCount == 0; }

    // Over the L-1 steps between neighbouring dots 0..L-1; the seam is kept apart.
    double deltaEMean = 0.0;
    double deltaEMax = 0.0;
    int deltaEMaxDot = 0;    // j of the largest step j -> j+1, the first one on a tie
    int jumpCount = 0;       // marked steps, the seam included
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

// Fills the summaries (lightness extremes, reversals, step statistics, jumps, seam) from
// `lab` and `step` of the first `length` dots.
void summarizeAnalysis(GradationAnalysis& analysis);

} // namespace spectrane
