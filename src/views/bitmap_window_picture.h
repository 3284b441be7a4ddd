// The gradation window's picture in GradationBuffer: the black margins with the bevel around
// the gradation, and the gradation itself.
#pragma once

#include "model/gradation_document.h"
#include "views/bitmap_window_layout.h"
#include "views/graph_buffers.h"

namespace spectrane {

// Clears the used part of the buffer for doc's direction and draws the bevel around the picture.
void DrawBitmapFrame(GraphBuffers& buffers, const BitmapWindowLayout& layout, int direction);

// Paints dots 0..L-1 of the gradation at the layout's margins, with the document's length,
// thickness, direction and CMY flag.
void RenderIntoBitmapWindow(GraphBuffers& buffers, const BitmapWindowLayout& layout,
                            const GradationDocument& doc);

} // namespace spectrane
