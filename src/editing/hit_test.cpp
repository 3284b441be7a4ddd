#include "editing/hit_test.h"

#include "model/whole_numbers.h"
#include "raster/primitives.h"
#include "views/graph_painter.h"

#include <cstdint>
#include <cstdio>

namespace spectrane {

int HitTestAnchor(const GradationDocument& doc, int x, int y, ChannelIndex ch) {
    const ChannelCurve& curve = doc.channels[ch];
    std::int64_t best = 577;
    int result = -1;
    for (int i = 0; i < curve.pointCount; ++i) {
        const std::int64_t dx = truncToInt(curve.anchorPoints[i].x - x);
        const std::int64_t dy = truncToInt(curve.anchorPoints[i].y - y);
        const std::int64_t d = dx * dx + dy * dy;
        if (d < best) {
            best = d;
            result = i;
        }
    }
    return result;
}

InverseCoefficients ComputeInverseCoefficients(const ChannelCurve& curve, int i, bool loop,
                                               int length) {
    const int n = curve.pointCount;
    const auto& c = curve.controlPoints;
    constexpr double kFourThirds = 4.0 / 3.0;
    if (!loop) {
        if (i <= 0 || i >= n - 1) {
            return {};
        }
        if (n == 3) {
            return {(c[0].x + c[2].x) * 0.25, (c[0].y + c[2].y) * 0.25, 2.0};
        }
        if (i == 1 || i == n - 2) {
            const double w1 = i == 1 ? 0.25 : 0.125;
            const double w2 = i == n - 2 ? 0.25 : 0.125;
            return {c[i - 1].x * w1 + c[i + 1].x * w2, c[i - 1].y * w1 + c[i + 1].y * w2, 1.6};
        }
        return {(c[i - 1].x + c[i + 1].x) * 0.125, (c[i - 1].y + c[i + 1].y) * 0.125, kFourThirds};
    }
    if (n <= 1) {
        return {};
    }
    if (i == 0) {
        return {(c[n - 1].x - length) * 0.125 + c[1].x * 0.125, (c[n - 1].y + c[1].y) * 0.125,
                kFourThirds};
    }
    if (i == n - 1) {
        return {c[n - 2].x * 0.125 + (c[0].x + length) * 0.125, (c[n - 2].y + c[0].y) * 0.125,
                kFourThirds};
    }
    return {(c[i - 1].x + c[i + 1].x) * 0.125, (c[i - 1].y + c[i + 1].y) * 0.125, kFourThirds};
}

namespace {

bool validHover(const EditorContext& ctx) {
    const int i = ctx.edit.hoveredPoint;
    return i >= 0 && i < ctx.doc.channels[ctx.doc.currentChannel].pointCount;
}

const CurvePoint& hoveredAnchor(const EditorContext& ctx) {
    return ctx.doc.channels[ctx.doc.currentChannel].anchorPoints[ctx.edit.hoveredPoint];
}

} // namespace

bool UpdateHover(EditorContext& ctx, int x, int y) {
    EditState& edit = ctx.edit;
    const int previous = edit.hoveredPoint;
    edit.hoveredPoint = HitTestAnchor(ctx.doc, x, y, ctx.doc.currentChannel);
    if (edit.hoveredPoint == previous) {
        return false;
    }
    if (previous != -1) {
        EraseHoverRing(ctx);
    }
    if (edit.hoveredPoint != -1) {
        edit.ringCentreX = floorToInt(hoveredAnchor(ctx).x);
        DrawHoverRing(ctx);
    }
    ctx.host.invalidateMainWindow();
    ctx.host.yieldAfterInvalidate();
    return true;
}

void DrawHoverRing(EditorContext& ctx) {
    if (!validHover(ctx)) {
        return;
    }
    EditState& edit = ctx.edit;
    Surface& main = ctx.buffers.mainBuffer;
    const CurvePoint a = hoveredAnchor(ctx);
    constexpr int kSize = GraphBuffers::kRingSaveSize;
    edit.ringSaveX = truncToInt(a.x - kHoverRadius);
    edit.ringSaveY = truncToInt(a.y - kHoverRadius);
    CopyBlock(ctx.buffers.ringSave, 0, 0, main, edit.ringSaveX, edit.ringSaveY, kSize, kSize);
    const int cx = truncToInt(a.x);
    const int cy = truncToInt(a.y);
    DrawEllipse(main, cx - kHoverRadius, cy - kHoverRadius, cx + kHoverRadius + 1,
                cy + kHoverRadius + 1, kHoverRingColor);
    if (*ctx.showPointPositions == 0) {
        return;
    }
    char text[48];
    std::snprintf(text, sizeof text, "[x %d,y %d]", floorToInt(a.x - CanvasGeometry::kDotX0),
                  floorToInt(CanvasGeometry::kLevelY0 - a.y));
    TextStyle style;
    style.face = std::string(kCourierFace);
    style.pixelHeight = kReadoutPixelHeight;
    style.color = kLabelColor;
    const int w = ctx.text.measureText(text, style).width;
    const int l = ctx.doc.length;
    int left = truncToInt(edit.ringCentreX - w * 0.5);
    if (left < CanvasGeometry::kDotX0) {
        left = CanvasGeometry::kDotX0;
    }
    if (left + w > l + 55) {
        left = CanvasGeometry::kDotX0 + l - w;
        if (left < CanvasGeometry::kDotX0) {
            left = truncToInt(CanvasGeometry::kDotX0 + (l - w) * 0.5);
        }
    }
    FillBox(main, left, kReadoutBoxTop, left + w, kReadoutBoxBottom, kBackgroundColor);
    edit.readoutLeft = left;
    edit.readoutRight = left + w;
    ctx.text.drawText(main, left, kReadoutTop, text, style);
}

void EraseHoverRing(EditorContext& ctx) {
    EditState& edit = ctx.edit;
    Surface& main = ctx.buffers.mainBuffer;
    constexpr int kSize = GraphBuffers::kRingSaveSize;
    CopyBlock(main, edit.ringSaveX, edit.ringSaveY, ctx.buffers.ringSave, 0, 0, kSize, kSize);
    FillBox(main, edit.readoutLeft, kReadoutBoxTop, edit.readoutRight, kReadoutBoxBottom,
            kBackgroundColor);
}

void DropHoverRing(EditorContext& ctx) {
    if (ctx.edit.hoveredPoint != -1) {
        EraseHoverRing(ctx);
        ctx.edit.hoveredPoint = -1;
    }
}

DragSnapshot TakeDragSnapshot(const GradationDocument& doc, const BitmapWindowLayout& layout) {
    DragSnapshot s;
    s.length = doc.length;
    s.thickness = doc.thickness;
    s.direction = doc.direction;
    s.cmy = doc.cmy;
    s.synchro = doc.synchro;
    s.synchroChannels = doc.synchroChannels;
    s.loop = doc.loop;
    s.gradationLeft = layout.marginX;
    s.gradationTop = layout.marginY;
    return s;
}

bool StartDrag(EditorContext& ctx, int x, int y) {
    UpdateHover(ctx, x, y);
    EditState& edit = ctx.edit;
    if (edit.hoveredPoint == -1) {
        return false;
    }
    const ChannelCurve& curve = ctx.doc.channels[ctx.doc.currentChannel];
    const CurvePoint& a = curve.anchorPoints[edit.hoveredPoint];
    edit.dragging = true;
    edit.dragSnapshot = TakeDragSnapshot(ctx.doc, ctx.bitmapLayout);
    edit.grabOffsetX = truncToInt(a.x - x);
    edit.grabOffsetY = truncToInt(a.y - y);
    const InverseCoefficients inv =
        ComputeInverseCoefficients(curve, edit.hoveredPoint, ctx.doc.loop != 0, ctx.doc.length);
    edit.inverseAx = inv.ax;
    edit.inverseAy = inv.ay;
    edit.inverseK = inv.k;
    edit.ringCentreX = floorToInt(a.x);
    return true;
}

void EndDrag(EditState& edit) {
    edit.dragging = false;
}

} // namespace spectrane
