// Redrawing what shows the current channel after an edit: the plot in MainBuffer, the colour
// bars and the gradation window's picture, whole or for a stretch of columns.
#pragma once

#include "editing/editor_context.h"

namespace spectrane {

// Columns redrawn on each side of a changed stretch of the curve, so that the old curve's
// pixels next to it are wiped too.
inline constexpr int kRedrawMargin = 2;

// The whole plot panel in MainBuffer: the inactive composite, the current channel's curve in
// its active colour and its point markers.
void RedrawCurrentChannel(EditorContext& ctx);

// Plot columns a..b (canvas x, inclusive) widened by kRedrawMargin: the inactive composite
// there, the current curve through them (one dot further each side, to join the rest) and the
// point markers.
void RedrawCurrentChannelColumns(EditorContext& ctx, int a, int b);

// Dots firstDot..lastDot of the current channel's colour bar (with the mixed bar) and of the
// gradation window's picture, laid out as `s` says.
void PaintCurrentChannelDots(EditorContext& ctx, const DragSnapshot& s, int firstDot, int lastDot);

// Dots firstDot..lastDot of the gradation window's picture, laid out as `s` says.
void RenderGradationPicture(EditorContext& ctx, const DragSnapshot& s, int firstDot, int lastDot);

} // namespace spectrane
