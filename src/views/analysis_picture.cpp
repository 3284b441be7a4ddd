#include "views/analysis_picture.h"

#include "raster/primitives.h"
#include "views/graph_painter.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace spectrane {

namespace {

constexpr double kAxisTops[] = {0.5, 1, 2, 5, 10, 20, 50, 100, 200};
constexpr int kLabelRightX = 50;
constexpr const char* kStripLabels[] = {"RGB", "L*", "Pro", "Deu", "Tri"};
// Rows around a plot that still move with it: its markers and the band underline.
constexpr int kPlotOverhang = 4;
constexpr int kBandUnderline = 3; // rows below the step plot's frame

TextStyle styleOf(int height) {
    TextStyle style;
    style.face = std::string(kCourierFace);
    style.pixelHeight = height;
    style.color = kLabelColor;
    return style;
}

std::string number(const char* pattern, double v) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, pattern, v);
    return buffer;
}

// Text whose right edge is at kLabelRightX, centred on row y.
void rightLabel(Surface& s, TextRenderer& text, const std::string& label, int y, int height) {
    const TextStyle style = styleOf(height);
    const TextExtent e = text.measureText(label, style);
    DrawLabel(s, text, label, kLabelRightX - e.width, y - height / 2, style);
}

// Grid, frame and axis labels of a plot spanning rows top..bottom over dots 0..L-1, with
// `rows` grid lines between.
void drawPlotFrame(Surface& s, int length, int top, int bottom, int rows) {
    const int right = kAnalysisLeftX + length - 1;
    for (int k = 1; k < rows; ++k) {
        const int y = top + (bottom - top) * k / rows;
        DrawLine(s, kAnalysisLeftX, y, right + 1, y, kGridColor);
    }
    for (int x = kAnalysisLeftX + kGridStep; x <= right; x += kGridStep) {
        DrawLine(s, x, top, x, bottom, kGridColor);
    }
    DrawOutlinedBox(s, kAnalysisLeftX, top, right, bottom, kFrameColor);
}

// Polyline through (56 + j, rows[j]) for j = first..last, both ends drawn.
template <typename RowOf>
void drawCurve(Surface& s, int first, int last, RowOf rowOf, Color color) {
    for (int j = first; j < last; ++j) {
        DrawLine(s, kAnalysisLeftX + j, rowOf(j), kAnalysisLeftX + j + 1, rowOf(j + 1), color);
    }
    s.setPixel(kAnalysisLeftX + last, rowOf(last), color);
}

void drawLightness(Surface& s, const GradationAnalysis& a, TextRenderer& text,
                   const AnalysisLayout& lay, const AnalysisWords& words) {
    const int l = a.length;
    DrawLabel(
        s, text,
        fillIn(words.lightness, {number("%.2f", a.lightnessMin), number("%.2f", a.lightnessMax),
                                 std::to_string(a.reversalCount)}) +
            (a.mode == ColorMode::Oklch ? fillIn(words.gamut, {std::to_string(a.gamutMappedCount)})
                                        : std::string()),
        kAnalysisTextX, lay.lightnessHeadingY, styleOf(kAnalysisHeadingTextHeight));
    drawPlotFrame(s, l, lay.lightnessTop, lay.lightnessBottom, 10);
    for (int v : {100, 50, 0}) {
        rightLabel(s, text, std::to_string(v), lightnessRow(lay, v), kAnalysisHeadingTextHeight);
    }
    const auto row = [&a, &lay](int j) { return lightnessRow(lay, a.lab[j].l); };
    drawCurve(s, 0, l - 1, row, kLightnessCurveColor);
    for (int j = 0; j < l; ++j) {
        if (a.reversal[j]) {
            DrawPointMarker(s, kAnalysisLeftX + j, row(j), kAnalysisMarkerRadius,
                            kAnalysisMarkerColor);
        }
    }
}

void drawSteps(Surface& s, const GradationAnalysis& a, TextRenderer& text,
               const AnalysisLayout& lay, const AnalysisWords& words) {
    const int l = a.length;
    DrawLabel(s, text,
              fillIn(words.steps, {number("%.2f", a.deltaEMean), number("%.2f", a.deltaEMax),
                                   std::to_string(a.deltaEMaxDot), std::to_string(a.jumpCount),
                                   std::to_string(a.bandCount), number("%.2f", a.uniformity)}),
              kAnalysisTextX, lay.deltaEHeadingY, styleOf(kAnalysisHeadingTextHeight));
    drawPlotFrame(s, l, lay.deltaETop, lay.deltaEBottom, 5);
    const double top = deltaEAxisTop(a);
    rightLabel(s, text, number("%g", top), lay.deltaETop, kAnalysisHeadingTextHeight);
    rightLabel(s, text, "0", lay.deltaEBottom, kAnalysisHeadingTextHeight);

    // The raw steps are a comb where the levels step every few dots; the speed is what a
    // person sees.
    const int steps = a.loop ? l : l - 1;
    for (int j = 0; j < steps; ++j) {
        const int row = deltaERow(lay, a.step[j], top);
        if (row < lay.deltaEBottom) {
            DrawLine(s, kAnalysisLeftX + j, lay.deltaEBottom - 1, kAnalysisLeftX + j, row - 1,
                     kStepColor);
        }
    }
    const auto row = [&a, &lay, top](int j) { return deltaERow(lay, a.speed[j], top); };
    drawCurve(s, 0, l - 2, row, kDeltaECurveColor);
    if (a.loop) {
        drawCurve(s, l - 2, l - 1, row, kSeamColor);
    }
    for (int j = 0; j < steps; ++j) {
        if (a.jump[j]) {
            DrawPointMarker(s, kAnalysisLeftX + j, deltaERow(lay, a.step[j], top),
                            kAnalysisMarkerRadius, kAnalysisMarkerColor);
        }
    }
    const int underline = lay.deltaEBottom + kBandUnderline;
    for (int j = 0; j < l; ++j) {
        if (a.band[j]) {
            FillBox(s, kAnalysisLeftX + j, underline, kAnalysisLeftX + j + 1, underline + 2,
                    kBandColor);
        }
    }
}

void drawStripsWithLabels(Surface& s, const GradationAnalysis& a, TextRenderer& text,
                          const AnalysisLayout& lay) {
    DrawAnalysisStrips(s, a, kAnalysisLeftX, lay.stripTop, lay.stripPitch, lay.stripHeight);
    const int labelHeight = std::min(kAnalysisLabelTextHeight, lay.stripHeight);
    for (int k = 0; k < kAnalysisStripCount; ++k) {
        const int top = lay.stripTop + k * lay.stripPitch;
        DrawBevel(s, kAnalysisLeftX - 1, top - 1, kAnalysisLeftX + a.length, top + lay.stripHeight);
        const std::string label = k != 0                       ? std::string(kStripLabels[k])
                                  : a.mode == ColorMode::Cmy   ? std::string("CMY")
                                  : a.mode == ColorMode::Oklch ? std::string("LCh")
                                                               : std::string(kStripLabels[k]);
        rightLabel(s, text, label, top + lay.stripHeight / 2, labelHeight);
    }
}

} // namespace

AnalysisLayout analysisLayoutFor(int height) {
    AnalysisLayout lay;
    lay.height = std::clamp(height, kAnalysisCompactPictureHeight, kAnalysisPictureHeight);
    const int extra = lay.height - kAnalysisCompactPictureHeight; // 0..250
    const int lightness = 100 + 10 * (extra / 25);
    lay.lightnessTop = 32;
    lay.lightnessBottom = lay.lightnessTop + lightness;
    lay.deltaEHeadingY = lay.lightnessBottom + 16;
    lay.deltaETop = lay.deltaEHeadingY + 24;
    lay.deltaEBottom = lay.deltaETop + lightness / 2;
    lay.stripTop = lay.deltaEBottom + 20;
    lay.stripHeight = 12 + extra * 20 / 250;
    lay.stripPitch = lay.stripHeight + 8;
    lay.seamTextY = lay.stripTop + kAnalysisStripCount * lay.stripPitch + 4;
    return lay;
}

std::string fillIn(const std::string& pattern, std::initializer_list<std::string> args) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto k = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && k < args.size()) {
            out += *(args.begin() + k);
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

bool analysisScrollsAt(const AnalysisLayout& lay, int x, int y) {
    const auto within = [y](int top, int bottom) { return y >= top && y <= bottom; };
    const int stripsBottom =
        lay.stripTop + (kAnalysisStripCount - 1) * lay.stripPitch + lay.stripHeight;
    return x >= kAnalysisLeftX &&
           (within(lay.lightnessTop - kPlotOverhang, lay.lightnessBottom + kPlotOverhang) ||
            within(lay.deltaETop - kPlotOverhang,
                   lay.deltaEBottom + kBandUnderline + kPlotOverhang) ||
            within(lay.stripTop - 1, stripsBottom));
}

int lightnessRow(const AnalysisLayout& lay, double l) {
    const double clamped = std::clamp(l, 0.0, 100.0);
    const int rows = lay.lightnessBottom - lay.lightnessTop;
    return lay.lightnessBottom - static_cast<int>(std::lround(clamped * rows / 100.0));
}

double deltaEAxisTop(const GradationAnalysis& a) {
    const int steps = a.loop ? a.length : a.length - 1;
    double fastest = 0.0;
    for (int j = 0; j < steps; ++j) {
        fastest = std::max(fastest, a.speed[j]);
    }
    for (double top : kAxisTops) {
        if (2.0 * fastest <= top) {
            return top;
        }
    }
    return kAxisTops[std::size(kAxisTops) - 1];
}

int deltaERow(const AnalysisLayout& lay, double v, double axisTop) {
    const double share = std::clamp(v / axisTop, 0.0, 1.0);
    return lay.deltaEBottom -
           static_cast<int>(std::lround(share * (lay.deltaEBottom - lay.deltaETop)));
}

Color analysisStripColor(const GradationAnalysis& a, int strip, int dot) {
    switch (strip) {
    case 0:
        return a.displayed[dot];
    case 1:
        return a.grey[dot];
    default:
        return a.simulated[std::clamp(strip - 2, 0, kDeficiencyCount - 1)][dot];
    }
}

void DrawAnalysisStrips(Surface& surface, const GradationAnalysis& a, int left, int top, int pitch,
                        int height) {
    const int l = std::clamp(a.length, kMinDots, kMaxDots);
    const int first = std::max(0, -left); // dots on the surface: first..last-1
    const int last = std::min(l, surface.width() - left);
    if (first >= last) {
        return;
    }
    // Row by row: the first row of a strip is coloured dot by dot, the others copy it.
    for (int k = 0; k < kAnalysisStripCount; ++k) {
        const Color* pattern = nullptr;
        for (int y = top + k * pitch; y < top + k * pitch + height; ++y) {
            if (y < 0 || y >= surface.height()) {
                continue;
            }
            Color* row = surface.row(y) + (left + first); // the pixel of dot `first`
            if (pattern != nullptr) {
                std::copy(pattern, pattern + (last - first), row);
                continue;
            }
            for (int j = first; j < last; ++j) {
                row[j - first] = analysisStripColor(a, k, j);
            }
            pattern = row;
        }
    }
}

void DrawAnalysisPicture(Surface& surface, const GradationAnalysis& a, TextRenderer& text,
                         const AnalysisLayout& layout, const AnalysisWords& words) {
    if (a.length < kMinDots || a.length > kMaxDots) {
        return;
    }
    FillBox(surface, 0, 0, analysisPictureWidth(a.length) - 1, layout.height - 1, kBackgroundColor);
    drawLightness(surface, a, text, layout, words);
    drawSteps(surface, a, text, layout, words);
    drawStripsWithLabels(surface, a, text, layout);
    if (a.loop) {
        DrawLabel(surface, text,
                  fillIn(words.seam, {number("%.2f", a.seamDeltaE)}) +
                      (a.jump[a.length - 1] ? words.seamJump : std::string()),
                  kAnalysisTextX, layout.seamTextY, styleOf(kAnalysisHeadingTextHeight));
    }
}

} // namespace spectrane
