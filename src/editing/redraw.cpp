#include "editing/redraw.h"

#include "model/gradation_render.h"
#include "views/graph_painter.h"

namespace spectrane {

void RedrawCurrentChannel(EditorContext& ctx) {
    const GradationDocument& doc = ctx.doc;
    const ChannelIndex c = doc.currentChannel;
    Surface& main = ctx.buffers.mainBuffer;
    CopyPanel(main, ctx.buffers.inactiveComposite, doc.length);
    DrawCurve(main, doc, c, 0, doc.length - 1, ctx.colors.active[c]);
    DrawShownChroma(main, doc, c, 0, doc.length - 1);
    DrawPointMarkers(ctx.buffers, doc, ctx.colors);
}

void RedrawCurrentChannelColumns(EditorContext& ctx, int a, int b) {
    const GradationDocument& doc = ctx.doc;
    const ChannelIndex c = doc.currentChannel;
    const int left = a - kRedrawMargin;
    const int right = b + kRedrawMargin;
    CopyPanelColumns(ctx.buffers.mainBuffer, ctx.buffers.inactiveComposite, left, right - left + 1);
    DrawCurve(ctx.buffers.mainBuffer, doc, c, CanvasGeometry::dotOfX(left) - 1,
              CanvasGeometry::dotOfX(right) + 1, ctx.colors.active[c]);
    DrawShownChroma(ctx.buffers.mainBuffer, doc, c, CanvasGeometry::dotOfX(left),
                    CanvasGeometry::dotOfX(right));
    DrawPointMarkers(ctx.buffers, doc, ctx.colors);
}

void PaintCurrentChannelDots(EditorContext& ctx, const DragSnapshot& s, int firstDot, int lastDot) {
    paintColorBars(ctx.buffers.mainBuffer, ctx.doc.colorLine, ctx.doc.currentChannel, firstDot,
                   lastDot, s.colorModel());
    RenderGradationPicture(ctx, s, firstDot, lastDot);
}

void RenderGradationPicture(EditorContext& ctx, const DragSnapshot& s, int firstDot, int lastDot) {
    paintGradation(ctx.buffers.gradationBuffer(s.direction), ctx.doc.colorLine, s.gradationLeft,
                   s.gradationTop, s.length, s.thickness, firstDot, lastDot, s.direction,
                   s.colorModel());
}

} // namespace spectrane
