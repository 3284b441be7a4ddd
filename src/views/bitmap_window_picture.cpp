#include "views/bitmap_window_picture.h"

#include "model/gradation_render.h"
#include "raster/primitives.h"
#include "views/graph_painter.h"

namespace spectrane {

void DrawBitmapFrame(GraphBuffers& buffers, const BitmapWindowLayout& l, int direction) {
    Surface& buffer = buffers.gradationBuffer(direction);
    fillRect(buffer, {0, 0, l.bufferWidth, l.bufferHeight}, kBackgroundColor);
    DrawBevel(buffer, l.marginX - 1, l.marginY - 1, l.marginX + l.imageWidth,
              l.marginY + l.imageHeight);
}

void RenderIntoBitmapWindow(GraphBuffers& buffers, const BitmapWindowLayout& l,
                            const GradationDocument& doc) {
    paintGradation(buffers.gradationBuffer(doc.direction), doc.colorLine, l.marginX, l.marginY,
                   doc.length, doc.thickness, 0, doc.length - 1, doc.direction, doc.colorModel());
}

} // namespace spectrane
