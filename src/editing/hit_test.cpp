#include "editing/hit_test.h"

#include "model/whole_numbers.h"
#include "raster/primitives.h"
#include "views/graph_painter.h"

#include <cstdint>
#include <cstdio>

namespace spectrane {

int HitTestAnchor(const GradationDocument& doc, int x, int y, ChannelIndex ch) {
    const ChannelCurve& curve = doc.channels[ch];
    std::int64_t best = kHitDistanceSquaredBound;
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
    return SelectPoint(ctx, HitTestAnchor(ctx.doc, x, y, ctx.doc.currentChannel));
}

bool SelectPoint(EditorContext& ctx, int i) {
    EditState& edit = ctx.edit;
    const int previous = edit.hoveredPoint;
    edit.hoveredPoint = i >= 0 && i < ctx.doc.channels[ctx.doc.currentChannel].pointCount ? i : -1;
    if (edit.hoveredPoint == previous) {
        return false;
    }
    if (previous != -1) {
        EraseHoverRing(ctx);
    }
    if (edit.hoveredPoint != -1) {
        edit.ringCentreX = shownFloor(hoveredAnchor(ctx).x);
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
    edit.ringSaveX = shownTrunc(a.x - kHoverRadius);
    edit.ringSaveY = shownTrunc(a.y - kHoverRadius);
    CopyBlock(ctx.buffers.ringSave, 0, 0, main, edit.ringSaveX, edit.ringSaveY, kSize, kSize);
    const int cx = shownTrunc(a.x);
    const int cy = shownTrunc(a.y);
    DrawEllipse(main, cx - kHoverRadius, cy - kHoverRadius, cx + kHoverRadius + 1,
                cy + kHoverRadius + 1, kHoverRingColor);
    if (!*ctx.showPointPositions) {
        return;
    }
    char text[48];
    std::snprintf(text, sizeof text, "[x %d,y %d]", shownFloor(a.x - CanvasGeometry::kDotX0),
                  shownFloor(CanvasGeometry::kLevelY0 - a.y));
    TextStyle style;
    style.face = std::string(kCourierFace);
    style.pixelHeight = kReadoutPixelHeight;
    style.color = kLabelColor;
    const int w = ctx.text.measureText(text, style).width;
    const int l = ctx.doc.length;
    const int x0 = CanvasGeometry::kDotX0;
    // Centred under the anchor, kept on the plot; a text wider than the plot is centred on it.
    int left = truncToInt(edit.ringCentreX - w * 0.5);
    if (left < x0) {
        left = x0;
    }
    if (left + w > ctx.doc.geometry().lastDotX()) {
        left = x0 + l - w;
        if (left < x0) {
            left = truncToInt(x0 + (l - w) * 0.5);
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

} // namespace spectrane
