// The analysis window's picture, drawn onto a Surface from a GradationAnalysis: the L* curve,
// the CIEDE2000 step curve and five strips of the gradation, in the main window's style (black
// background, grey grid and frame, "Courier New" labels) and aligned dot for dot with its plot:
// dot j lies at x = 56 + j, and the picture is as wide as the main window's content.
//
// Layout, top to bottom (content coordinates, y):
//     8 ..  19  heading "L*  min ..  max ..  reversals .."            (12-pixel text)
//    32 .. 232  L* plot, frame included: L* 100 at y 32, L* 0 at y 232, 2 pixels per unit,
//               grid every 10 L* and every 16 dots; reversals marked with 4 x 4 circles
//   248 .. 259  heading "dE00  mean ..  max .. @dot  jumps .."
//   272 .. 372  step plot: 0 at y 372, the axis top (printed at the left) at y 272; step j
//               (dot j to j+1) at x 56 + j, the mean as a line, jumps marked; for a loop the
//               seam step (last dot to dot 0) is the curve's last point, x 56 + L - 1, in its
//               own colour
//   392 .. 583  five strips, 32 rows each, 40 apart, each in a bevel with its label at the
//               left: as displayed ("RGB" / "CMY"), greyscale by L* ("L*"), protanopia
//               ("Pro"), deuteranopia ("Deu"), tritanopia ("Tri")
//   596 .. 607  for loops, the seam step as text
// Height 620 for every length.
#pragma once

#include "analysis/gradation_analysis.h"
#include "raster/surface.h"
#include "raster/text_renderer.h"

#include <algorithm>

namespace spectrane {

inline constexpr int kAnalysisPictureHeight = 620;
inline constexpr int kAnalysisPictureMaxWidth = kMaxDots + 112; // 1712

inline constexpr int kAnalysisLeftX = 56; // x of dot 0, as in the main plot
inline constexpr int kAnalysisTextX = 8;  // left edge of the headings
inline constexpr int kAnalysisHeadingTextHeight = 12;
inline constexpr int kAnalysisLabelTextHeight = 16;

inline constexpr int kLightnessHeadingY = 8;
inline constexpr int kLightnessTop = 32;     // L* 100
inline constexpr int kLightnessBottom = 232; // L* 0
inline constexpr int kLightnessScale = 2;    // pixels per L* unit

inline constexpr int kDeltaEHeadingY = 248;
inline constexpr int kDeltaETop = 272;    // the axis top
inline constexpr int kDeltaEBottom = 372; // step 0

inline constexpr int kAnalysisStripCount = 5;
inline constexpr int kAnalysisStripTop = 392;
inline constexpr int kAnalysisStripPitch = 40;
inline constexpr int kAnalysisStripHeight = 32;
inline constexpr int kSeamTextY = 596;

inline constexpr Color kLightnessCurveColor = rgb(240, 240, 240);
inline constexpr Color kDeltaECurveColor = rgb(0, 192, 255);
inline constexpr Color kSeamColor = rgb(255, 128, 64);
inline constexpr Color kAnalysisMarkerColor = rgb(224, 224, 0);

// Width of the picture for a gradation of `length` dots: L + 112, at least 300.
constexpr int analysisPictureWidth(int length) {
    return CanvasGeometry::forLength(std::clamp(length, kMinDots, kMaxDots)).contentWidth();
}

// Row of lightness l in the L* plot, rounded to the nearest and kept within the plot.
int lightnessRow(double l);

// The step plot's axis top: the smallest of 0.5, 1, 2, 5, 10, 20, 50, 100, 200 that is at least
// the largest step (seam included) and twice the mean; 200 if the steps pass even that.
double deltaEAxisTop(const GradationAnalysis& analysis);

// Row of step value v in the step plot with the given axis top, kept within the plot.
int deltaERow(double v, double axisTop);

// Colour of dot j in strip k (0 displayed, 1 greyscale, 2..4 protanopia, deuteranopia,
// tritanopia).
Color analysisStripColor(const GradationAnalysis& analysis, int strip, int dot);

// The five strips, each one column per dot: strip k fills x left..left+L-1, y top + k * pitch
// .. top + k * pitch + 31. With pitch 32 they stack into an L x 160 picture.
void DrawAnalysisStrips(Surface& surface, const GradationAnalysis& analysis, int left, int top,
                        int pitch);

// The whole picture into (0, 0)..(analysisPictureWidth(L) - 1, kAnalysisPictureHeight - 1) of
// `surface`, which should be at least that large (the rest is clipped). Pixels outside that
// area are left alone; a record never analysed (length 0) draws nothing.
void DrawAnalysisPicture(Surface& surface, const GradationAnalysis& analysis, TextRenderer& text);

} // namespace spectrane
