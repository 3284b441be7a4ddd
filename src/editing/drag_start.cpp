#include "editing/drag_start.h"

#include "editing/hit_test.h"
#include "model/whole_numbers.h"

namespace spectrane {

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

DragSnapshot TakeDragSnapshot(const GradationDocument& doc, const BitmapWindowLayout& layout) {
    return {doc.settings(), doc.thickness, layout.marginX, layout.marginY};
}

bool StartDrag(EditorContext& ctx, int x, int y) {
    UpdateHover(ctx, x, y);
    EditState& edit = ctx.edit;
    if (edit.hoveredPoint == -1) {
        return false;
    }
    BeginDrag(ctx, x, y);
    return true;
}

void BeginDrag(EditorContext& ctx, int x, int y) {
    EditState& edit = ctx.edit;
    const ChannelCurve& curve = ctx.doc.channels[ctx.doc.currentChannel];
    const CurvePoint& a = curve.anchorPoints[edit.hoveredPoint];
    edit.dragging = true;
    edit.pressX = x;
    edit.pressY = y;
    edit.pointerMoved = false;
    edit.dragSnapshot = TakeDragSnapshot(ctx.doc, ctx.bitmapLayout);
    edit.grabOffsetX = truncToInt(a.x - x);
    edit.grabOffsetY = truncToInt(a.y - y);
    const InverseCoefficients inv =
        ComputeInverseCoefficients(curve, edit.hoveredPoint, ctx.doc.loop, ctx.doc.length);
    edit.inverseAx = inv.ax;
    edit.inverseAy = inv.ay;
    edit.inverseK = inv.k;
    edit.ringCentreX = shownFloor(a.x);
}

void EndDrag(EditState& edit) {
    edit.dragging = false;
}

} // namespace spectrane
