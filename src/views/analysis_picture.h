// The analysis window's picture, drawn onto a Surface from a GradationAnalysis: the L* curve,
// the perceptual speed over the CIEDE2000 steps and five strips of the gradation, in the main
// window's style (black background, grey grid and frame, "Courier New" labels) and aligned dot
// for dot with its plot: dot j lies at x = 56 + j, and the picture is as wide as the main
// window's content.
//
// Layout, top to bottom, for the full height of 620 (content coordinates, y); a lower picture
// scales the plots and strips down to the compact layout of height 370 (AnalysisLayout):
//     8 ..  19  heading: L* extremes and reversals                    (12-pixel text)
//    32 .. 232  L* plot, frame included: L* 100 at the top, 0 at the bottom, grid every 10 L*
//               and every 16 dots; reversals marked with 6 x 6 circles
//   248 .. 259  heading: steps, jumps, bands and uniformity
//   272 .. 372  step plot: 0 at the bottom, the axis top (printed at the left) at the top; the
//               steps j (dot j to j+1) dimmed at x 56 + j, the perceptual speed over them as a
//               bright curve, jumps marked, bands underlined; for a loop the seam step (last dot
//               to dot 0) is the last point, x 56 + L - 1, in its own colour
//   392 .. 591  five strips, 32 rows each, 40 apart, each in a bevel with its label at the
//               left: as displayed ("RGB" / "CMY"), greyscale by L* ("L*"), protanopia
//               ("Pro"), deuteranopia ("Deu"), tritanopia ("Tri")
//   596 .. 607  for loops, the seam step as text
// The headings, the seam text and the labels left of x 56 stay put while the rest scrolls
// (analysisScrollsAt).
#pragma once

#include "analysis/gradation_analysis.h"
#include "raster/surface.h"
#include "raster/text_renderer.h"

#include <algorithm>
#include <string>

namespace spectrane {

inline constexpr int kAnalysisPictureHeight = 620;              // full layout
inline constexpr int kAnalysisCompactPictureHeight = 370;       // the least it scales down to
inline constexpr int kAnalysisPictureMaxWidth = kMaxDots + 112; // 1712

inline constexpr int kAnalysisLeftX = 56; // x of dot 0, as in the main plot
inline constexpr int kAnalysisTextX = 8;  // left edge of the headings
inline constexpr int kAnalysisHeadingTextHeight = 12;
inline constexpr int kAnalysisLabelTextHeight = 16;
inline constexpr int kAnalysisStripCount = 5;
inline constexpr int kAnalysisMarkerRadius = 3; // 6 x 6 markers

inline constexpr Color kLightnessCurveColor = rgb(240, 240, 240);
inline constexpr Color kDeltaECurveColor = rgb(0, 192, 255); // the perceptual speed
inline constexpr Color kStepColor = rgb(0, 80, 112);         // the raw steps, dimmed
inline constexpr Color kSeamColor = rgb(255, 128, 64);
inline constexpr Color kAnalysisMarkerColor = rgb(224, 224, 0);
inline constexpr Color kBandColor = rgb(255, 64, 160);

// Rows of the picture for one height.
struct AnalysisLayout {
    int height = kAnalysisPictureHeight;
    int lightnessHeadingY = 8;
    int lightnessTop = 32;     // L* 100
    int lightnessBottom = 232; // L* 0
    int deltaEHeadingY = 248;
    int deltaETop = 272;    // the axis top
    int deltaEBottom = 372; // step 0
    int stripTop = 392;
    int stripHeight = 32;
    int stripPitch = 40;
    int seamTextY = 596;
    friend bool operator==(const AnalysisLayout&, const AnalysisLayout&) = default;
};

// The layout that fills `height` rows, kept within 370..620: the L* plot 100..200 rows high
// (a multiple of 10, so that the grid stays on whole rows), the step plot half as high, the
// strips 12..32 rows.
AnalysisLayout analysisLayoutFor(int height);

// The picture's own words, as the program's language has them; %1, %2, ... are the numbers.
struct AnalysisWords {
    std::string lightness = "L*  min %1  max %2  reversals %3";
    std::string steps = "dE00  mean %1  max %2 @%3  jumps %4  bands %5  uniformity %6";
    std::string seam = "seam (last dot -> dot 0)  dE00 %1";
    std::string seamJump = "  jump";
    std::string gamut = "  gamut-mapped %1 dots"; // OKLCh only, after the lightness line
};

// `pattern` with %1, %2, ... replaced by args[0], args[1], ...; other text is kept.
std::string fillIn(const std::string& pattern, std::initializer_list<std::string> args);

// Width of the picture for a gradation of `length` dots: L + 112, at least 300.
constexpr int analysisPictureWidth(int length) {
    return CanvasGeometry::forLength(std::clamp(length, kMinDots, kMaxDots)).contentWidth();
}

// Whether picture pixel (x, y) moves with the main plot's scroll position: the plots and the
// strips do; the headings, the seam text and the labels left of dot 0 stay in view.
bool analysisScrollsAt(const AnalysisLayout& layout, int x, int y);

// Row of lightness l in the L* plot, rounded to the nearest and kept within the plot.
int lightnessRow(const AnalysisLayout& layout, double l);

// The step plot's axis top: the smallest of 0.5, 1, 2, 5, 10, 20, 50, 100, 200 that is at least
// twice the largest perceptual speed (seam included); 200 if the speed passes even that. Steps
// above it are drawn at the top.
double deltaEAxisTop(const GradationAnalysis& analysis);

// Row of step value v in the step plot with the given axis top, kept within the plot.
int deltaERow(const AnalysisLayout& layout, double v, double axisTop);

// Colour of dot j in strip k (0 displayed, 1 greyscale, 2..4 protanopia, deuteranopia,
// tritanopia).
Color analysisStripColor(const GradationAnalysis& analysis, int strip, int dot);

// The five strips, each one column per dot: strip k fills x left..left+L-1, y top + k * pitch
// .. top + k * pitch + height - 1. With pitch = height they stack into an L x 5 height picture.
void DrawAnalysisStrips(Surface& surface, const GradationAnalysis& analysis, int left, int top,
                        int pitch, int height);

// The whole picture into (0, 0)..(analysisPictureWidth(L) - 1, layout.height - 1) of
// `surface`, which should be at least that large (the rest is clipped). Pixels outside that
// area are left alone; a record never analysed (length 0) draws nothing.
void DrawAnalysisPicture(Surface& surface, const GradationAnalysis& analysis, TextRenderer& text,
                         const AnalysisLayout& layout = {}, const AnalysisWords& words = {});

} // namespace spectrane
