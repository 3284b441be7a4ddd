#include "editing/point_commands.h"

#include "editing/drag_start.h"
#include "editing/hit_test.h"
#include "editing/redraw.h"
#include "editing/synchro.h"
#include "model/document_check.h"
#include "model/spline.h"
#include "model/whole_numbers.h"

#include <algorithm>

namespace spectrane {

bool InsertPoint(EditorContext& ctx, ChannelIndex c, int i) {
    ChannelCurve& curve = ctx.doc.channels[c];
    int& n = curve.pointCount;
    if (n >= kMaxPoints) {
        ctx.host.messageBox(kTooManyPointsMessage);
        return false;
    }
    if (i < 0 || i >= n) {
        return false;
    }
    const int k = i == 0 ? 1 : i;
    auto& cp = curve.controlPoints;
    ++n;
    for (int j = n - 1; j >= k + 1; --j) {
        cp[j] = cp[j - 1];
    }
    if (n > 2) {
        cp[k] = {(cp[k - 1].x + cp[k].x) / 2.0, (cp[k - 1].y + cp[k].y) / 2.0};
    } else {
        cp[1] = cp[0];
    }
    return true;
}

bool DeletePoint(EditorContext& ctx, ChannelIndex c, int i, bool loop) {
    ChannelCurve& curve = ctx.doc.channels[c];
    int& n = curve.pointCount;
    if (loop && n == 1) {
        ctx.host.messageBox(kLastPointMessage);
        return false;
    }
    if (!loop && (i == 0 || i == n - 1)) {
        ctx.host.messageBox(kEndPointMessage);
        return false;
    }
    if (i < 0 || i >= n) {
        return false;
    }
    for (int j = i; j <= n - 2; ++j) {
        curve.controlPoints[j] = curve.controlPoints[j + 1];
    }
    --n;
    return true;
}

bool SetPointPosition(EditorContext& ctx, ChannelIndex c, int i, int dot, int level, bool loop) {
    ChannelCurve& curve = ctx.doc.channels[c];
    const int n = curve.pointCount;
    if (i < 0 || i >= n) {
        return false;
    }
    const InverseCoefficients inv = ComputeInverseCoefficients(curve, i, loop, ctx.doc.length);
    EraseHoverRing(ctx);
    CurvePoint& d = curve.anchorPoints[i];
    const CurvePoint oldControl = curve.controlPoints[i];
    const CurvePoint oldAnchor = d;
    constexpr double x0 = CanvasGeometry::kDotX0;
    // An axis is left alone when the user kept the value the window showed.
    if (shownFloor(d.x - x0) != dot) {
        if ((i > 0 && i < n - 1) || loop) {
            d.x = static_cast<double>(dot) + x0;
        }
        d.x = std::clamp(d.x, x0, static_cast<double>(ctx.doc.geometry().lastDotX()));
        curve.controlPoints[i].x = (d.x - inv.ax) * inv.k;
    }
    if (shownFloor(CanvasGeometry::kLevelY0 - d.y) != level) {
        d.y = CanvasGeometry::kLevelY0 - static_cast<double>(level);
        d.y = std::clamp(d.y, static_cast<double>(CanvasGeometry::kAnchorMinY),
                         static_cast<double>(CanvasGeometry::kAnchorMaxY));
        curve.controlPoints[i].y = (d.y - inv.ay) * inv.k;
    }
    // Neighbours far outside the canvas can push the point past what a file can hold.
    if (!withinBound(curve.controlPoints[i])) {
        curve.controlPoints[i] = oldControl;
        d = oldAnchor;
        ctx.host.messageBox(kSetPositionFailedMessage);
        return false;
    }
    return true;
}

void RunPopupCommand(EditorContext& ctx, int command) {
    GradationDocument& doc = ctx.doc;
    const ChannelIndex c = doc.currentChannel;
    const int i = ctx.edit.hoveredPoint;
    const bool loop = doc.loop;
    switch (command) {
    case kPopupInsertPoint:
        InsertPoint(ctx, c, i);
        break;
    case kPopupDeletePoint:
        DeletePoint(ctx, c, i, loop);
        break;
    case kPopupSetPosition:
        SetPointPosition(ctx, c, i, ctx.edit.positionDot, ctx.edit.positionLevel, loop);
        break;
    default:
        break;
    }
    if (command != 0) {
        if (i != -1) {
            EraseHoverRing(ctx);
        }
        deriveAnchors(doc, c);
        evaluateChannel(doc, c);
        ResyncSynchro(ctx);
        RedrawCurrentChannel(ctx);
        PaintCurrentChannelDots(ctx, TakeDragSnapshot(doc, ctx.bitmapLayout), 0, doc.length - 1);
        ctx.edit.hoveredPoint = -1;
    }
    ctx.host.invalidateMainWindow();
    ctx.host.yieldAfterInvalidate();
    if (ctx.host.invalidateBitmapWindow()) {
        ctx.host.yieldAfterInvalidate();
    }
}

} // namespace spectrane
