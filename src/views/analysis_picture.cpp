#include "views/analysis_picture.h"

#include "raster/primitives.h"
#include "views/graph_painter.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace spectrane {

namespace {

constexpr double kAxisTops[] = {0.5, 1, 2, 5, 10, 20, 50, 100, 200};
constexpr int kGridRows = 20; // every 10 L*, and every fifth of the step axis
constexpr int kLabelRightX = 50;
constexpr const char* kStripLabels[] = {"RGB", "L*", "Pro", "Deu", "Tri"};

TextStyle styleOf(int height) {
    TextStyle style;
    style.face = std::string(kCourierFace);
    style.pixelHeight = height;
    style.color = kLabelColor;
    return style;
}

template <typename... Args> std::string format(const char* pattern, Args... args) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, pattern, args...);
    return buffer;
}

// Text whose right edge is at kLabelRightX, centred on row y.
void rightLabel(Surface& s, TextRenderer& text, const std::string& label, int y, int height) {
    const TextStyle style = styleOf(height);
    const TextExtent e = text.measureText(label, style);
    DrawLabel(s, text, label, kLabelRightX - e.width, y - height / 2, style);
}

// Grid, frame and axis labels of a plot spanning rows top..bottom over dots 0..L-1.
void drawPlotFrame(Surface& s, int length, int top, int bottom) {
    const int right = kAnalysisLeftX + length - 1;
    for (int y = top + kGridRows; y < bottom; y += kGridRows) {
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

void drawLightness(Surface& s, const GradationAnalysis& a, TextRenderer& text) {
    const int l = a.length;
    DrawLabel(s, text,
              format("L*  min %.2f  max %.2f  reversals %d", a.lightnessMin, a.lightnessMax,
                     a.reversalCount),
              kAnalysisTextX, kLightnessHeadingY, styleOf(kAnalysisHeadingTextHeight));
    drawPlotFrame(s, l, kLightnessTop, kLightnessBottom);
    for (int v : {100, 50, 0}) {
        rightLabel(s, text, std::to_string(v), lightnessRow(v), kAnalysisHeadingTextHeight);
    }
    const auto row = [&a](int j) { return lightnessRow(a.lab[j].l); };
    drawCurve(s, 0, l - 1, row, kLightnessCurveColor);
    for (int j = 0; j < l; ++j) {
        if (a.reversal[j]) {
            DrawPointMarker(s, kAnalysisLeftX + j, row(j), 2, kAnalysisMarkerColor);
        }
    }
}

void drawSteps(Surface& s, const GradationAnalysis& a, TextRenderer& text) {
    const int l = a.length;
    DrawLabel(s, text,
              format("dE00  mean %.2f  max %.2f @%d  jumps %d", a.deltaEMean, a.deltaEMax,
                     a.deltaEMaxDot, a.jumpCount),
              kAnalysisTextX, kDeltaEHeadingY, styleOf(kAnalysisHeadingTextHeight));
    drawPlotFrame(s, l, kDeltaETop, kDeltaEBottom);
    const double top = deltaEAxisTop(a);
    rightLabel(s, text, format("%g", top), kDeltaETop, kAnalysisHeadingTextHeight);
    rightLabel(s, text, "0", kDeltaEBottom, kAnalysisHeadingTextHeight);
    const int meanRow = deltaERow(a.deltaEMean, top);
    DrawLine(s, kAnalysisLeftX, meanRow, kAnalysisLeftX + l, meanRow, kLevelLineColor);

    const auto row = [&a, top](int j) { return deltaERow(a.step[j], top); };
    drawCurve(s, 0, l - 2, row, kDeltaECurveColor);
    if (a.loop) {
        drawCurve(s, l - 2, l - 1, row, kSeamColor);
        DrawPointMarker(s, kAnalysisLeftX + l - 1, row(l - 1), 2, kSeamColor);
    }
    for (int j = 0; j < l - 1; ++j) {
        if (a.jump[j]) {
            DrawPointMarker(s, kAnalysisLeftX + j, row(j), 2, kAnalysisMarkerColor);
        }
    }
}

void drawStripsWithLabels(Surface& s, const GradationAnalysis& a, TextRenderer& text) {
    DrawAnalysisStrips(s, a, kAnalysisLeftX, kAnalysisStripTop, kAnalysisStripPitch);
    for (int k = 0; k < kAnalysisStripCount; ++k) {
        const int top = kAnalysisStripTop + k * kAnalysisStripPitch;
        DrawBevel(s, kAnalysisLeftX - 1, top - 1, kAnalysisLeftX + a.length,
                  top + kAnalysisStripHeight);
        const std::string label = k == 0 && a.cmy ? "CMY" : kStripLabels[k];
        rightLabel(s, text, label, top + kAnalysisStripHeight / 2, kAnalysisLabelTextHeight);
    }
}

} // namespace

int lightnessRow(double l) {
    const double clamped = std::clamp(l, 0.0, 100.0);
    return kLightnessBottom - static_cast<int>(std::lround(clamped * kLightnessScale));
}

double deltaEAxisTop(const GradationAnalysis& a) {
    const double need = std::max({a.deltaEMax, a.seamDeltaE, 2.0 * a.deltaEMean});
    for (double top : kAxisTops) {
        if (need <= top) {
            return top;
        }
    }
    return kAxisTops[std::size(kAxisTops) - 1];
}

int deltaERow(double v, double axisTop) {
    const double share = std::clamp(v / axisTop, 0.0, 1.0);
    return kDeltaEBottom - static_cast<int>(std::lround(share * (kDeltaEBottom - kDeltaETop)));
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

void DrawAnalysisStrips(Surface& surface, const GradationAnalysis& a, int left, int top,
                        int pitch) {
    const int l = std::clamp(a.length, kMinDots, kMaxDots);
    const int first = std::max(0, -left); // dots on the surface: first..last-1
    const int last = std::min(l, surface.width() - left);
    if (first >= last) {
        return;
    }
    // Row by row: the first row of a strip is coloured dot by dot, the others copy it.
    for (int k = 0; k < kAnalysisStripCount; ++k) {
        const Color* pattern = nullptr;
        for (int y = top + k * pitch; y < top + k * pitch + kAnalysisStripHeight; ++y) {
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

void DrawAnalysisPicture(Surface& surface, const GradationAnalysis& a, TextRenderer& text) {
    if (a.length < kMinDots || a.length > kMaxDots) {
        return;
    }
    FillBox(surface, 0, 0, analysisPictureWidth(a.length) - 1, kAnalysisPictureHeight - 1,
            kBackgroundColor);
    drawLightness(surface, a, text);
    drawSteps(surface, a, text);
    drawStripsWithLabels(surface, a, text);
    if (a.loop) {
        DrawLabel(surface, text,
                  format("seam (last dot -> dot 0)  dE00 %.2f%s", a.seamDeltaE,
                         a.jump[a.length - 1] ? "  jump" : ""),
                  kAnalysisTextX, kSeamTextY, styleOf(kAnalysisHeadingTextHeight));
    }
}

} // namespace spectrane
