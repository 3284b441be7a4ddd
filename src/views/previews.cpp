#include "views/previews.h"

#include "model/gradation_document.h"
#include "model/gradation_render.h"
#include "model/spline.h"
#include "model/whole_numbers.h"
#include "views/graph_painter.h"

#include <array>
#include <memory>
#include <span>
#include <string>

namespace spectrane {

namespace {

constexpr int kSheetWidth = 128;
constexpr int kSampleDots = 128;
constexpr int kStripWidth = 32;
constexpr int kSquareSize = 192; // the left square of the canvas

// Miniature plot: one pixel per dot, 80 pixels for 256 levels, level 0 at y 88.
constexpr int kMiniBottom = 96;
constexpr int kMiniLevel0Y = 88;
constexpr int kMiniLevel256Y = 8;
constexpr int kMiniGridStep = 8;
constexpr int kMiniLastGridX = 120;
constexpr double kMiniLevelScale = 0.3125;
// The plot with the arrow under it, as the canvas shows it right of the square.
constexpr Rect kPlotWithArrow{0, 0, kSheetWidth, 129};
constexpr Point kPlotOnCanvas{192, 32};

// A block of the sheet and where it goes on the canvas.
struct SheetCopy {
    Rect from; // right and bottom exclusive
    Point to;
};

// The arrows, each turned `quarterTurns` clockwise from the right-pointing template.
struct ArrowPlace {
    Point centre;
    int quarterTurns;
};
constexpr ArrowPlace kArrows[] = {
    {{64, 113}, 0},  // under the miniature plot
    {{64, 177}, 0},  // under the left-to-right strip
    {{16, 321}, 1},  // left of the top-to-bottom strip
    {{64, 209}, 2},  // above the right-to-left strip
    {{112, 321}, 3}, // right of the bottom-to-top strip
};

// The sample strip of each direction on the sheet: its top-left corner; dot i lies at
// position dotPosition(i) along it.
constexpr Point kStripOnSheet[4] = {{0, 129}, {32, 257}, {0, 225}, {64, 257}};

// Strip and arrow of each direction, for the direction and new-gradation windows.
constexpr SheetCopy kDirectionPictures[4] = {
    {{0, 129, 128, 193}, {32, 80}},
    {{0, 257, 64, 385}, {48, 32}},
    {{0, 193, 128, 257}, {32, 48}},
    {{64, 257, 128, 385}, {80, 32}},
};

// Where the strip lands on the canvas, and the edges its dimensions measure.
constexpr Point stripOnCanvas(int d) {
    return (d & 1) != 0 ? Point{kVerticalStripBox.left, kVerticalStripBox.top}
                        : Point{kHorizontalStripBox.left, kHorizontalStripBox.top};
}
struct DimensionEdge {
    Point from;
    Point to;
};
constexpr DimensionEdge kLengthEdges[] = {
    {{32, 80}, {159, 80}}, {{111, 159}, {111, 32}}, {{159, 111}, {32, 111}}, {{80, 32}, {80, 159}}};
constexpr DimensionEdge kWidthEdges[] = {
    {{32, 80}, {32, 111}}, {{80, 32}, {111, 32}}, {{32, 80}, {32, 111}}, {{80, 32}, {111, 32}}};
constexpr int kLengthLabelWidth = 21;
constexpr int kWidthLabelWidth = 12;
constexpr int kLabelHeight = 12;

// Sample anchors (dot, level) of the red and the blue curve.
struct SampleAnchor {
    int dot;
    int level;
};
constexpr SampleAnchor kRedSample[] = {{0, 64}, {32, 232}, {96, 16}, {127, 32}};
constexpr SampleAnchor kBlueSample[] = {{0, 32}, {32, 16}, {96, 232}, {127, 64}};

void setAnchors(GradationDocument& doc, ChannelIndex ch, std::span<const SampleAnchor> a) {
    ChannelCurve& curve = doc.channels[ch];
    curve.pointCount = static_cast<int>(a.size());
    int i = 0;
    for (const SampleAnchor& p : a) {
        curve.anchorPoints[i++] = {static_cast<double>(CanvasGeometry::dotX(p.dot)),
                                   static_cast<double>(CanvasGeometry::levelY(p.level))};
    }
    fitControlPoints(curve);
    deriveAnchors(doc, ch);
}

// The red and blue sample curves, evaluated over 128 dots.
std::unique_ptr<GradationDocument> sampleCurves() {
    auto doc = std::make_unique<GradationDocument>();
    doc->length = kSampleDots;
    doc->loop = false;
    setAnchors(*doc, 0, kRedSample);
    setAnchors(*doc, 2, kBlueSample);
    evaluateChannels(*doc);
    return doc;
}

void drawArrows(Surface& sheet) {
    constexpr std::array<Point, 7> kRightArrow = {
        {{48, 0}, {32, -8}, {32, -4}, {-48, -4}, {-48, 4}, {32, 4}, {32, 8}}};
    for (const ArrowPlace& arrow : kArrows) {
        std::array<Point, 7> placed = kRightArrow;
        for (Point& p : placed) {
            for (int t = 0; t < arrow.quarterTurns; ++t) {
                p = {-p.y, p.x}; // a quarter turn clockwise on screen (y grows downwards)
            }
            p = {arrow.centre.x + p.x, arrow.centre.y + p.y};
        }
        FillPolygon(sheet, placed, kArrowOutlineColor, kArrowFillColor);
    }
}

void drawMiniaturePlot(Surface& sheet) {
    FillBox(sheet, 0, 0, kSheetWidth - 1, kMiniBottom, kBackgroundColor);
    for (int y = 0; y <= kMiniBottom; y += kMiniGridStep) {
        DrawLine(sheet, 0, y, kSheetWidth - 1, y, kGridColor);
    }
    for (int x = 0; x <= kMiniLastGridX; x += kMiniGridStep) {
        DrawLine(sheet, x, 0, x, kMiniBottom, kGridColor);
    }
    DrawLine(sheet, 0, kMiniLevel0Y, kSheetWidth - 1, kMiniLevel0Y, kLevelLineColor);
    DrawLine(sheet, 0, kMiniLevel256Y, kSheetWidth - 1, kMiniLevel256Y, kLevelLineColor);
    DrawOutlinedBox(sheet, 0, 0, kSheetWidth - 1, kMiniBottom, kFrameColor);
}

void drawSampleStrips(Surface& sheet, const GradationDocument& doc) {
    for (int d = 0; d < 4; ++d) {
        const Point at = kStripOnSheet[d];
        for (int i = 0; i < kSampleDots; ++i) {
            const Color c = rgb(doc.colorLine.level(0, i), 0, doc.colorLine.level(2, i));
            const int p = dotPosition(i, kSampleDots, d);
            if ((d & 1) != 0) {
                DrawLine(sheet, at.x, at.y + p, at.x + kStripWidth, at.y + p, c);
            } else {
                DrawLine(sheet, at.x + p, at.y, at.x + p, at.y + kStripWidth, c);
            }
        }
    }
}

void drawSampleCurve(Surface& sheet, const GradationDocument& doc, ChannelIndex ch, Color c) {
    std::array<Point, kSampleDots> points;
    for (int i = 0; i < kSampleDots; ++i) {
        points[i] = {i, truncToInt(kMiniLevel0Y - doc.colorLine.level(ch, i) * kMiniLevelScale)};
    }
    DrawPolyline(sheet, points, c);
}

void copyFromSheet(Surface& canvas, const Surface& sheet, const SheetCopy& copy) {
    const Rect& r = copy.from;
    CopyBlock(canvas, copy.to.x, copy.to.y, sheet, r.left, r.top, r.right - r.left,
              r.bottom - r.top);
}

void clearSquare(Surface& canvas) {
    FillBox(canvas, 0, 0, kSquareSize - 1, kSquareSize - 1, kDialogFaceColor);
}

// Just the strip of direction d, at its fixed place on the canvas.
void copyStrip(Surface& canvas, const Surface& sheet, int d) {
    const Point at = kStripOnSheet[d];
    const bool vertical = (d & 1) != 0;
    const int w = vertical ? kStripWidth : kSampleDots;
    const int h = vertical ? kSampleDots : kStripWidth;
    copyFromSheet(canvas, sheet, {{at.x, at.y, at.x + w, at.y + h}, stripOnCanvas(d)});
}

void drawLengthDimension(Surface& canvas, int d, TextRenderer& text, const DimensionLabels& l) {
    DrawDimension(canvas, kLengthEdges[d].from, kLengthEdges[d].to, l.length, kLengthLabelWidth,
                  kLabelHeight, text);
}

void drawWidthDimension(Surface& canvas, int d, TextRenderer& text, const DimensionLabels& l) {
    DrawDimension(canvas, kWidthEdges[d].from, kWidthEdges[d].to, l.width, kWidthLabelWidth,
                  kLabelHeight, text);
}

int quarter(int d) {
    return d & 3;
}

} // namespace

void DrawPreviewSheet(Surface& sheet) {
    sheet.fill(kDialogFaceColor);
    drawArrows(sheet);
    drawMiniaturePlot(sheet);
    const auto doc = sampleCurves();
    drawSampleStrips(sheet, *doc);
    drawSampleCurve(sheet, *doc, 0, rgb(255, 0, 0));
    drawSampleCurve(sheet, *doc, 2, rgb(0, 0, 255));
}

void PreparePreviewCanvas(Surface& canvas, const Surface& sheet) {
    canvas.fill(kDialogFaceColor);
    copyFromSheet(canvas, sheet, {kPlotWithArrow, kPlotOnCanvas});
}

void DrawDirectionPreview(Surface& canvas, const Surface& sheet, int d, TextRenderer& text,
                          const DimensionLabels& labels) {
    d = quarter(d);
    clearSquare(canvas);
    copyFromSheet(canvas, sheet, kDirectionPictures[d]);
    drawLengthDimension(canvas, d, text, labels);
    drawWidthDimension(canvas, d, text, labels);
}

void DrawLengthPreview(Surface& canvas, const Surface& sheet, int d, TextRenderer& text,
                       const DimensionLabels& labels) {
    d = quarter(d);
    clearSquare(canvas);
    copyStrip(canvas, sheet, d);
    drawLengthDimension(canvas, d, text, labels);
    drawWidthDimension(canvas, d, text, labels);
}

void DrawWidthPreview(Surface& canvas, const Surface& sheet, int d, TextRenderer& text,
                      const DimensionLabels& labels) {
    d = quarter(d);
    clearSquare(canvas);
    copyStrip(canvas, sheet, d);
    drawWidthDimension(canvas, d, text, labels);
}

void DrawDimension(Surface& canvas, Point from, Point to, std::string_view label, int labelWidth,
                   int labelHeight, TextRenderer& text) {
    // Work in (along, across) the measured edge; swap back for a vertical edge.
    const bool alongX = from.y == to.y;
    const int a0 = alongX ? from.x : from.y;
    const int a1 = alongX ? to.x : to.y;
    const int edge = alongX ? from.y : from.x;
    const int s = a1 > a0 ? -1 : 1;
    const auto at = [&](int along, int across) {
        return alongX ? Point{along, across} : Point{across, along};
    };
    const Point bracket[] = {at(a0, edge + 5 * s), at(a0, edge + 8 * s), at(a1, edge + 8 * s),
                             at(a1, edge + 4 * s)};
    DrawPolyline(canvas, bracket, kDimensionColor);

    const int sizeAlong = alongX ? labelWidth : labelHeight;
    const int sizeAcross = alongX ? labelHeight : labelWidth;
    const int along = (a0 + a1 + 1) / 2 - sizeAlong / 2;
    const int across = edge + 8 * s + (sizeAcross / 2 + 5) * s - sizeAcross / 2;
    const Point corner = at(along, across);
    TextStyle style;
    style.face = std::string(kGothicFace);
    style.pixelHeight = 12;
    style.color = kDimensionColor;
    style.opaque = true;
    style.background = kDialogFaceColor;
    DrawLabel(canvas, text, label, corner.x, corner.y, style);
}

} // namespace spectrane
