#include "app/refresh_document.h"

#include "app/app_state.h"
#include "model/curve_rebuild.h"
#include "model/gradation_render.h"
#include "views/bitmap_window_picture.h"
#include "views/graph_painter.h"

namespace spectrane {

void RefreshDocument(AppState& state, RefreshMode mode) {
    GradationDocument& doc = state.doc;
    DrawGraphBackground(state.buffers, doc.length);
    DrawMainFrame(state.buffers, doc.length, doc.mode, *state.text);
    DrawBitmapFrame(state.buffers, state.bitmapLayout, doc.direction);
    if (mode == RefreshMode::Generating) {
        newGradationCurves(doc, state.rng);
    }
    rebuildAllCurves(doc);
    RebuildChannelLayers(state.buffers, doc, state.colors);
    paintColorBars(state.buffers.mainBuffer, doc.colorLine, -1, 0, doc.length - 1,
                   doc.colorModel());
    RenderIntoBitmapWindow(state.buffers, state.bitmapLayout, doc);
    ComposeGraph(state.buffers, doc, state.colors, doc.currentChannel);
    ResetEditState(state.edit);
}

void RefreshColors(AppState& state) {
    const GradationDocument& doc = state.doc;
    DrawMainFrame(state.buffers, doc.length, doc.mode, *state.text);
    ChooseChannelColors(state.colors, doc.mode);
    RebuildChannelLayers(state.buffers, doc, state.colors);
    paintColorBars(state.buffers.mainBuffer, doc.colorLine, -1, 0, doc.length - 1,
                   doc.colorModel());
    RenderIntoBitmapWindow(state.buffers, state.bitmapLayout, doc);
    ComposeGraph(state.buffers, doc, state.colors, doc.currentChannel);
    state.edit.hoveredPoint = -1; // the recomposed plot has no ring
}

} // namespace spectrane
