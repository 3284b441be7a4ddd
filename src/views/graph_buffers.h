// The off-screen drawing buffers of the main window, the previews and the gradation window,
// each created once at its largest size; a shorter gradation uses only a part of them.
#pragma once

#include "model/gradation_document.h"
#include "raster/surface.h"

#include <array>

namespace spectrane {

struct GraphBuffers {
    static constexpr int kMainWidth = kMaxDots + 112; // 1712
    static constexpr int kMainHeight = 490;
    static constexpr int kPanelBufferHeight = 354;
    static constexpr int kRingSaveSize = 33;
    static constexpr int kPreviewSheetWidth = 128;
    static constexpr int kPreviewSheetHeight = 385;
    static constexpr int kPreviewCanvasWidth = 320;
    static constexpr int kPreviewCanvasHeight = 192;
    static constexpr int kGradationLong = 1648;
    static constexpr int kGradationShort = 1248;

    GraphBuffers();

    Surface mainBuffer;      // the whole main-window content
    Surface graphBackground; // empty plot panel: background, grid, level lines, frame
    std::array<Surface, kChannelCount> channelLayers; // panel with one inactive curve each
    Surface inactiveComposite;                        // the two non-current layers combined
    Surface ringSave;                                 // pixels under the hover ring
    Surface previewSheet;        // pictures the tool-window previews are composed from
    Surface previewCanvas;       // the preview being shown
    Surface gradationHorizontal; // gradation window picture for directions 0 and 2
    Surface gradationVertical;   // ... and for directions 1 and 3

    // The gradation picture buffer for `direction` (bit 0 set = vertical).
    Surface& gradationBuffer(int direction) {
        return (direction & 1) != 0 ? gradationVertical : gradationHorizontal;
    }
};

} // namespace spectrane
