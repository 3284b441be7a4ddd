#include "views/graph_buffers.h"

namespace spectrane {

GraphBuffers::GraphBuffers()
    : mainBuffer(kMainWidth, kMainHeight), graphBackground(kMainWidth, kPanelBufferHeight),
      channelLayers{Surface(kMainWidth, kPanelBufferHeight),
                    Surface(kMainWidth, kPanelBufferHeight),
                    Surface(kMainWidth, kPanelBufferHeight)},
      inactiveComposite(kMainWidth, kPanelBufferHeight), ringSave(kRingSaveSize, kRingSaveSize),
      previewSheet(kPreviewSheetWidth, kPreviewSheetHeight),
      previewCanvas(kPreviewCanvasWidth, kPreviewCanvasHeight),
      gradationHorizontal(kGradationLong, kGradationShort),
      gradationVertical(kGradationShort, kGradationLong) {}

} // namespace spectrane
