#include "app/refresh_document.h"

#include "app/app_state.h"
#include "model/curve_rebuild.h"
#include "model/gradation_render.h"
#include "raster/primitives.h"
#include "views/graph_painter.h"

namespace spectrane {

void DrawBitmapFrame(AppState& state) {
    const BitmapWindowLayout& l = state.bitmapLayout;
    Surface& buffer = state.buffers.gradationBuffer(state.doc.direction);
    fillRect(buffer, {0, 0, l.bufferWidth, l.bufferHeight}, rgb(0, 0, 0));
    DrawBevel(buffer, l.marginX - 1, l.marginY - 1, l.marginX + l.imageWidth,
              l.marginY + l.imageHeight);
}

void RenderIntoBitmapWindow(AppState& state) {
    const GradationDocument& doc = state.doc;
    const BitmapWindowLayout& l = state.bitmapLayout;
    paintGradation(state.buffers.gradationBuffer(doc.direction), doc.colorLine, l.marginX,
                   l.marginY, doc.length, doc.thickness, 0, doc.length - 1, doc.direction,
                   doc.cmy != 0);
}

void RefreshDocument(AppState& state, RefreshMode mode) {
    GradationDocument& doc = state.doc;
    std::lock_guard lock(state.bufferMutex);
    DrawGraphBackground(state.buffers, doc.length);
    DrawMainFrame(state.buffers, doc.length, doc.cmy != 0, *state.text);
    DrawBitmapFrame(state);
    if (mode == RefreshMode::Generating) {
        newGradationCurves(doc, state.rng);
    }
    rebuildAllCurves(doc);
    RebuildChannelLayers(state.buffers, doc, state.colors);
    paintColorBars(state.buffers.mainBuffer, doc.colorLine, -1, 0, doc.length - 1, doc.cmy != 0);
    RenderIntoBitmapWindow(state);
    ComposeGraph(state.buffers, doc, state.colors, doc.currentChannel);
    ResetEditState(state.edit);
}

} // namespace spectrane
