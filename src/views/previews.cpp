#include "views/previews.h"

#include "model/gradation_document.h"
#include "model/spline.h"
#include "model/whole_numbers.h"
#include "views/graph_painter.h"

#include <array>
#include <initializer_list>
#include <memory>
#include <string>

namespace spectrane {

namespace {

constexpr int kSheetWidth = 128;
constexpr int kSampleDots = 128;

// Miniature plot: one pixel per dot, 80 pixels for 256 levels, level 0 at y 88.
constexpr int kMiniBottom = 96;
constexpr int kMiniLevel0Y = 88;
constexpr int kMiniLevel256Y = 8;
constexpr int kMiniGridStep = 8;

struct SampleAnchor {
    int dot;
    int level;
};

void setAnchors(GradationDocument& doc, ChannelIndex ch, std::initializer_list<SampleAnchor> a) {
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
    doc->loop = 0;
    setAnchors(*doc, 0, {{0, 64}, {32, 232}, {96, 16}, {127, 32}});
    setAnchors(*doc, 2, {{0, 32}, {32, 16}, {96, 232}, {127, 64}});
    evaluateChannels(*doc);
    return doc;
}

void drawArrows(Surface& sheet) {
    std::array<Point, 7> shape = {
        {{48, 0}, {32, -8}, {32, -4}, {-48, -4}, {-48, 4}, {32, 4}, {32, 8}}};
    const auto drawAt = [&](Point centre) {
        std::array<Point, 7> placed;
        for (std::size_t i = 0; i < shape.size(); ++i) {
            placed[i] = {centre.x + shape[i].x, centre.y + shape[i].y};
        }
        FillPolygon(sheet, placed, kArrowOutlineColor, kArrowFillColor);
    };
    // Quarter turn clockwise on screen (y grows downwards).
    const auto turn = [&] {
        for (Point& p : shape) {
            p = {-p.y, p.x};
        }
    };
    drawAt({64, 113}); // under the miniature plot
    drawAt({64, 177}); // right
    turn();
    drawAt({16, 321}); // down
    turn();
    drawAt({64, 209}); // left
    turn();
    drawAt({112, 321}); // up
}

void drawMiniaturePlot(Surface& sheet) {
    FillBox(sheet, 0, 0, kSheetWidth - 1, kMiniBottom, kBackgroundColor);
    for (int y = 0; y <= kMiniBottom; y += kMiniGridStep) {
        DrawLine(sheet, 0, y, kSheetWidth - 1, y, kGridColor);
    }
    for (int x = 0; x <= 120; x += kMiniGridStep) {
        DrawLine(sheet, x, 0, x, kMiniBottom, kGridColor);
    }
    DrawLine(sheet, 0, kMiniLevel0Y, kSheetWidth - 1, kMiniLevel0Y, kLevelLineColor);
    DrawLine(sheet, 0, kMiniLevel256Y, kSheetWidth - 1, kMiniLevel256Y, kLevelLineColor);
    DrawOutlinedBox(sheet, 0, 0, kSheetWidth - 1, kMiniBottom, kFrameColor);
}

void drawSampleStrips(Surface& sheet, const GradationDocument& doc) {
    for (int i = 0; i < kSampleDots; ++i) {
        const Color c = rgb(doc.colorLine.level(0, i), 0, doc.colorLine.level(2, i));
        DrawLine(sheet, i, 129, i, 161, c);
        DrawLine(sheet, 127 - i, 225, 127 - i, 257, c);
        DrawLine(sheet, 32, 257 + i, 64, 257 + i, c);
        DrawLine(sheet, 64, 384 - i, 96, 384 - i, c);
    }
}

void drawSampleCurve(Surface& sheet, const GradationDocument& doc, ChannelIndex ch, Color c) {
    std::array<Point, kSampleDots> points;
    for (int i = 0; i < kSampleDots; ++i) {
        points[i] = {i, truncToInt(kMiniLevel0Y - doc.colorLine.level(ch, i) * 0.3125)};
    }
    DrawPolyline(sheet, points, c);
}

void clearSquare(Surface& canvas) {
    FillBox(canvas, 0, 0, 191, 191, kDialogFaceColor);
}

// Just the strip of direction d, at its fixed place on the canvas.
void copyStrip(Surface& canvas, const Surface& sheet, int d) {
    switch (d) {
    case 0:
        CopyBlock(canvas, 32, 80, sheet, 0, 129, 128, 32);
        break;
    case 1:
        CopyBlock(canvas, 80, 32, sheet, 32, 257, 32, 128);
        break;
    case 2:
        CopyBlock(canvas, 32, 80, sheet, 0, 225, 128, 32);
        break;
    default:
        CopyBlock(canvas, 80, 32, sheet, 64, 257, 32, 128);
        break;
    }
}

struct DimensionEdge {
    Point from;
    Point to;
};
// Length and width edges of the strip for directions 0..3.
constexpr DimensionEdge kLengthEdges[] = {
    {{32, 80}, {159, 80}}, {{111, 159}, {111, 32}}, {{159, 111}, {32, 111}}, {{80, 32}, {80, 159}}};
constexpr DimensionEdge kWidthEdges[] = {
    {{32, 80}, {32, 111}}, {{80, 32}, {111, 32}}, {{32, 80}, {32, 111}}, {{80, 32}, {111, 32}}};

void drawLengthDimension(Surface& canvas, int d, TextRenderer& text) {
    DrawDimension(canvas, kLengthEdges[d].from, kLengthEdges[d].to, kLengthLabel, 21, 12, text);
}

void drawWidthDimension(Surface& canvas, int d, TextRenderer& text) {
    DrawDimension(canvas, kWidthEdges[d].from, kWidthEdges[d].to, kWidthLabel, 12, 12, text);
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
    FillBox(canvas, 0, 0, 319, 191, kDialogFaceColor);
    CopyBlock(canvas, 192, 32, sheet, 0, 0, 128, 129);
}

void DrawDirectionPreview(Surface& canvas, const Surface& sheet, int d, TextRenderer& text) {
    d = quarter(d);
    clearSquare(canvas);
    switch (d) {
    case 0:
        CopyBlock(canvas, 32, 80, sheet, 0, 129, 128, 64);
        break;
    case 1:
        CopyBlock(canvas, 48, 32, sheet, 0, 257, 64, 128);
        break;
    case 2:
        CopyBlock(canvas, 32, 48, sheet, 0, 193, 128, 64);
        break;
    default:
        CopyBlock(canvas, 80, 32, sheet, 64, 257, 64, 128);
        break;
    }
    drawLengthDimension(canvas, d, text);
    drawWidthDimension(canvas, d, text);
}

void DrawLengthPreview(Surface& canvas, const Surface& sheet, int d, TextRenderer& text) {
    d = quarter(d);
    clearSquare(canvas);
    copyStrip(canvas, sheet, d);
    drawLengthDimension(canvas, d, text);
    drawWidthDimension(canvas, d, text);
}

void DrawWidthPreview(Surface& canvas, const Surface& sheet, int d, TextRenderer& text) {
    d = quarter(d);
    clearSquare(canvas);
    copyStrip(canvas, sheet, d);
    drawWidthDimension(canvas, d, text);
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
